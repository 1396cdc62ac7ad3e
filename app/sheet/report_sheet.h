#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/date_time.h"
#include "cell_ref.h"
#include "report_parts.h"

namespace ordelix {

struct Font {
  double size = 11;
  bool bold = false;
  bool italic = false;
  int color_index = 1;  // spreadsheet palette; 1 is black

  friend bool operator==(const Font&, const Font&) = default;
};

// A sheet's pixels are those of a 96 dpi screen.
inline constexpr double pixels_per_point = 96.0 / 72.0;

// A line chart drawn from cells of the sheet. Texts are sheet texts (bytes of
// the export file); an absent one is left off the chart.
struct LineChart {
  double left = 0;  // position and size in points
  double top = 0;
  double width = 0;
  double height = 0;
  std::string title;
  CellRange values{};
  CellRange categories{};
  std::optional<std::string> series_name;
  std::optional<std::string> category_axis_title;
  std::optional<std::string> value_axis_title;
  int tick_mark_spacing = 1;  // categories from one tick mark to the next
};

// A cell's value. Texts hold the export file's bytes as they are
// (single-byte, Windows-1252), and live as long as their sheet.
using CellValue = std::variant<std::string_view, double, DateTime>;

// The report as a spreadsheet holds it: one sheet of typed cells with fonts
// set on ranges, merged ranges and left-aligned columns. Writers fill it by
// row and column from 1; a write outside the sheet is skipped, as a failing
// spreadsheet call was.
class ReportSheet {
 public:
  // Rows are counted in 16 bits by the report writers; nothing goes below this.
  static constexpr int max_row = 32767;
  static constexpr int max_col = 256;

  // A text that reads as a number is stored as that number.
  void set_text(int row, int col, std::string_view text);
  // A value that is not finite leaves the cell as it was.
  void set_number(int row, int col, double value);
  void set_date_time(int row, int col, const DateTime& value);
  // A separator or padding of blanks, which the report's data leaves out.
  void set_layout_text(int row, int col, std::string_view text);

  void set_font(std::string_view a1_range, const Font& font);
  void merge(std::string_view a1_range);
  void align_left(std::string_view a1_columns);

  void add_line_chart(LineChart chart) { charts_.push_back(std::move(chart)); }

  // The parts of the report, for reading it as data. A later mark overrides
  // an earlier one on the rows they share, as a later write does a cell.
  void mark_header_row(int row);
  // A table of `columns`; its index marks its rows.
  int add_table(std::vector<TableColumn> columns);
  // Rows below the sheet's last are left unmarked.
  void mark_table_rows(int table, RowPart part, int first_row, int last_row = max_row);
  // Table `table` is drawn as a curve titled `title` where the report is shown.
  void mark_curve(int table, std::string_view title);

  std::optional<CellValue> cell(int row, int col) const;
  // A cell's number or text; none where it holds another kind or nothing.
  std::optional<double> number_at(int row, int col) const;
  std::optional<std::string_view> text_at(int row, int col) const;
  // The font of a cell: that of the last range set over it, if any.
  std::optional<Font> font_at(int row, int col) const;
  // Which of font_ranges() gives the cell its font; -1 for none.
  int font_range_at(int row, int col) const;
  bool left_aligned(int col) const;

  int last_row() const { return cells_.rows(); }
  // A cell of a row, in 16 bytes: a long scan has tens of thousands.
  struct Entry {
    enum class Kind : std::uint8_t { number, text, date_time };
    int col;
    bool layout;  // set by set_layout_text
    Kind kind;
    union {
      double number;
      const std::string* text;  // in the sheet's store
      const DateTime* date_time;
    } held;

    CellValue value() const;
  };
  // In column order.
  std::span<const Entry> row_entries(int row) const { return cells_.row(row); }
  // Ranges with the font set on them, in the order they were set.
  const std::vector<std::pair<CellRange, Font>>& font_ranges() const { return fonts_; }
  const std::vector<CellRange>& merges() const { return merges_; }
  const std::vector<CellRange>& left_aligned_columns() const { return left_columns_; }
  const std::vector<LineChart>& charts() const { return charts_; }
  // In the order they were made.
  const std::vector<PartMark>& part_marks() const { return part_marks_; }
  const std::vector<std::vector<TableColumn>>& tables() const { return tables_; }
  const std::vector<TableCurve>& curves() const { return curves_; }

  // Writes dropped for falling below max_row.
  long long dropped_writes() const { return dropped_writes_; }
  // Writes below max_row that a writer leaves out without making them, so
  // that a huge count from the file costs no loop over rows that cannot be.
  void count_dropped_writes(long long writes) { dropped_writes_ += writes; }

 private:
  // Each row's entries side by side in one vector, with room for `capacity`;
  // a full row moves to the end with twice the room. Texts and dates stay put
  // in a store of their own, which a copy makes anew.
  class Cells {
   public:
    Cells() = default;
    Cells(const Cells& other);
    Cells& operator=(const Cells& other);
    Cells(Cells&&) noexcept = default;
    Cells& operator=(Cells&&) noexcept = default;
    ~Cells() = default;

    int rows() const { return static_cast<int>(rows_.size()); }
    std::span<const Entry> row(int row) const {
      const Row& r = rows_[row - 1];
      return {entries_.data() + r.first, r.count};
    }
    // `row` from 1 to max_row, `entry` with its texts stored here.
    void put(int row, const Entry& entry);
    const std::string* text_stored(std::string_view text);
    const DateTime* date_time_stored(const DateTime& value);

   private:
    struct Row {
      std::uint32_t first = 0;
      std::uint16_t count = 0;
      std::uint16_t capacity = 0;
    };

    void row_grow(Row& row);

    std::vector<Row> rows_;
    std::vector<Entry> entries_;
    // Never moved as they grow, nor when the sheet moves.
    std::deque<std::string> texts_;
    std::deque<DateTime> dates_;
  };

  void put(int row, const Entry& entry);

  Cells cells_;
  std::vector<std::pair<CellRange, Font>> fonts_;
  std::vector<CellRange> merges_;
  std::vector<CellRange> left_columns_;
  std::vector<LineChart> charts_;
  std::vector<PartMark> part_marks_;
  std::vector<std::vector<TableColumn>> tables_;
  std::vector<TableCurve> curves_;
  long long dropped_writes_ = 0;
};

// Each row's role, indexed by row from 1 to the sheet's last.
std::vector<RowRole> row_roles(const ReportSheet& sheet);

}  // namespace ordelix
