#include <cmath>
#include <cstdio>

#include "base/float_chars.h"
#include "run_data.h"

namespace ordelix {
namespace {

class JsonText {
 public:
  std::string take() { return std::move(out_); }

  void string(std::string_view text) {
    out_ += '"';
    for (char c : text) {
      if (c == '"' || c == '\\') {
        out_ += '\\';
        out_ += c;
      } else if (static_cast<unsigned char>(c) < 0x20) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
        out_ += escape;
      } else {
        out_ += c;
      }
    }
    out_ += '"';
  }

  void value(const DataValue& value) {
    // JSON has no infinities and no NaN; a sheet holds none either.
    if (const auto* number = std::get_if<double>(&value))
      out_ += std::isfinite(*number) ? float_text_shortest(*number) : "null";
    else if (const auto* text = std::get_if<std::string>(&value))
      string(*text);
    else
      out_ += "null";
  }

  void values(const std::vector<DataValue>& values) {
    list(values, [this](const DataValue& v) { value(v); });
  }

  // `[a,b,...]`, each item written by `write`.
  template <class Items, class Write>
  void list(const Items& items, Write&& write) {
    out_ += '[';
    bool first = true;
    for (const auto& item : items) {
      if (!first) out_ += ',';
      first = false;
      write(item);
    }
    out_ += ']';
  }

  // `"name":`, after a comma unless it opens its object.
  void key(std::string_view name, bool first = false) {
    if (!first) out_ += ',';
    string(name);
    out_ += ':';
  }

  void raw(std::string_view text) { out_ += text; }

 private:
  std::string out_;
};

void header_write(JsonText& json, const HeaderEntry& entry) {
  json.raw("{");
  json.key("label", true);
  json.string(entry.label);
  json.key("value");
  json.value(entry.value);
  json.raw("}");
}

void table_write(JsonText& json, const DataTable& table) {
  json.raw("{");
  json.key("title", true);
  json.value(table.title);
  json.key("columns");
  json.values(table.columns);
  json.key("rows");
  json.list(table.rows, [&](const std::vector<DataValue>& row) { json.values(row); });
  json.key("notes");
  json.values(table.notes);
  json.raw("}");
}

void warning_write(JsonText& json, const RunWarning& warning) {
  json.raw("{");
  json.key("line", true);
  json.raw(warning.line ? std::to_string(*warning.line) : "null");
  json.key("text");
  json.string(warning.text);
  json.raw("}");
}

void run_write(JsonText& json, const RunData& data) {
  json.raw("{");
  json.key("file", true);
  json.string(data.file);
  json.key("mode");
  json.string(data.mode);
  json.key("created");
  if (data.created.empty())
    json.raw("null");
  else
    json.string(data.created);
  json.key("header");
  json.list(data.header, [&](const HeaderEntry& entry) { header_write(json, entry); });
  json.key("tables");
  json.list(data.tables, [&](const DataTable& table) { table_write(json, table); });
  json.key("warnings");
  json.list(data.warnings, [&](const RunWarning& warning) { warning_write(json, warning); });
  json.raw("}");
}

}  // namespace

std::string run_data_json(const RunData& data) {
  JsonText json;
  run_write(json, data);
  json.raw("\n");
  return json.take();
}

std::string run_data_json_array(std::span<const RunData> runs) {
  JsonText json;
  json.list(runs, [&](const RunData& data) { run_write(json, data); });
  json.raw("\n");
  return json.take();
}

}  // namespace ordelix
