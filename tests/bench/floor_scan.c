/* ordelix-scan-floor: the wavelength-scan report's cells and chart, or the
 * kinetics report's cells, written straight from the export file with
 * libxlsxwriter, and nothing else. It is the yardstick that
 * scripts/bench_scan.py holds ordelix-convert against, so it takes only the
 * runs the benchmark generates: a scan with every code in its table, a
 * kinetics run at 2.5 s in OD. Like the converter it saves durably: the
 * report, then its folder, synced.
 *
 * Usage: ordelix-scan-floor EXPORT.WSC|EXPORT.TSC REPORT.xlsx */

#define _GNU_SOURCE
#include <fcntl.h>
#include <libgen.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#include <xlsxwriter.h>

enum { first_row = 16, max_row = 32767, cut = 8, print_last_col = 15, chart_last_row = 17 };
static const double date_width = 22;

typedef struct {
  char text[cut + 1];
} Line;

typedef struct {
  Line* lines;
  int count;
} Lines;

static Lines read_lines(const char* path) {
  Lines result = {NULL, 0};
  FILE* f = fopen(path, "rb");
  if (f == NULL) return result;
  fseek(f, 0, SEEK_END);
  long size = ftell(f);
  rewind(f);
  char* bytes = malloc((size_t)size + 1);
  size_t got = fread(bytes, 1, (size_t)size, f);
  fclose(f);
  result.lines = malloc(sizeof(Line) * (got / 2 + 1));
  for (size_t pos = 0; pos < got;) {
    size_t end = pos;
    while (end < got && bytes[end] != '\r' && bytes[end] != '\n') end++;
    size_t length = end - pos < cut ? end - pos : cut;
    Line* line = &result.lines[result.count++];
    memcpy(line->text, bytes + pos, length);
    line->text[length] = '\0';
    pos = end + (end + 1 < got && bytes[end] == '\r' && bytes[end + 1] == '\n' ? 2 : 1);
  }
  free(bytes);
  return result;
}

static const char* line_text(const Lines* lines, int number) {
  return lines->lines[(number <= lines->count ? number : lines->count) - 1].text;
}

static double line_value(const Lines* lines, int number) {
  return strtod(line_text(lines, number), NULL);
}

static void put_text(lxw_worksheet* ws, int row, int col, const char* text, lxw_format* f) {
  char* end;
  double number = strtod(text, &end);
  if (end != text && *end == '\0')
    worksheet_write_number(ws, (lxw_row_t)(row - 1), (lxw_col_t)(col - 1), number, f);
  else
    worksheet_write_string(ws, (lxw_row_t)(row - 1), (lxw_col_t)(col - 1), text, f);
}

static void blanks(lxw_worksheet* ws, lxw_row_t top, lxw_col_t left, lxw_row_t bottom,
                   lxw_col_t right, lxw_format* f) {
  for (lxw_row_t row = top; row <= bottom; row++)
    for (lxw_col_t col = left; col <= right; col++) worksheet_write_blank(ws, row, col, f);
}

static int label_interval(int categories) {
  for (int decade = 10;; decade *= 10) {
    static const int factors[] = {1, 2, 5};
    for (int i = 0; i < 3; i++)
      if ((categories + decade * factors[i] - 1) / (decade * factors[i]) <= 8)
        return decade * factors[i];
  }
}

static const char* padded(const char* text, int width) {
  static char buffer[128];
  snprintf(buffer, sizeof buffer, "%-*s", width, text);
  return buffer;
}

static time_t created(const char* path) {
  struct statx stx;
  if (statx(AT_FDCWD, path, 0, STATX_BTIME | STATX_MTIME, &stx) == 0 &&
      (stx.stx_mask & STATX_BTIME))
    return (time_t)stx.stx_btime.tv_sec;
  return (time_t)stx.stx_mtime.tv_sec;
}

static int synced(const char* path) {
  int fd = open(path, O_RDONLY | O_CLOEXEC);
  int ok = fd >= 0 && fsync(fd) == 0;
  if (fd >= 0) close(fd);
  return ok;
}

/* What both reports share: the workbook, its looks, its columns, the
 * formatted blanks of the first fifty rows and the date merged over D2:E2. */
typedef struct {
  lxw_workbook* wb;
  lxw_worksheet* ws;
  lxw_format* left;
  lxw_format* plain;
  lxw_format* bold;
  time_t when;
} Report;

static Report report_begin(const char* export_path, const char* report_path) {
  Report r;
  r.wb = workbook_new(report_path);
  r.when = created(export_path);
  lxw_doc_properties properties = {0};
  properties.created = r.when;
  workbook_set_properties(r.wb, &properties);
  r.ws = workbook_add_worksheet(r.wb, NULL);
  r.left = workbook_add_format(r.wb);
  format_set_align(r.left, LXW_ALIGN_LEFT);
  r.plain = workbook_add_format(r.wb);
  format_set_font_size(r.plain, 12);
  format_set_font_color(r.plain, LXW_COLOR_BLACK);
  format_set_align(r.plain, LXW_ALIGN_LEFT);
  r.bold = workbook_add_format(r.wb);
  format_set_font_size(r.bold, 12);
  format_set_bold(r.bold);
  format_set_font_color(r.bold, LXW_COLOR_BLACK);
  format_set_align(r.bold, LXW_ALIGN_LEFT);
  lxw_format* date = workbook_add_format(r.wb);
  format_set_font_size(date, 12);
  format_set_font_color(date, LXW_COLOR_BLACK);
  format_set_align(date, LXW_ALIGN_LEFT);
  format_set_num_format(date, "yyyy/m/d h:mm:ss");

  worksheet_set_column(r.ws, 0, 2, LXW_DEF_COL_WIDTH, r.left);
  worksheet_set_column(r.ws, 3, 3, date_width - LXW_DEF_COL_WIDTH, r.left);
  worksheet_set_column(r.ws, 4, 25, LXW_DEF_COL_WIDTH, r.left);
  blanks(r.ws, 0, 0, 49, 25, r.plain);
  worksheet_merge_range(r.ws, 1, 3, 1, 4, "", r.plain);
  struct tm t;
  localtime_r(&r.when, &t);
  lxw_datetime dt = {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
  worksheet_write_datetime(r.ws, 1, 3, &dt, date);
  return r;
}

/* The workbook closed, then the report and its folder synced. */
static int report_end(Report* r, const char* report_path) {
  if (workbook_close(r->wb) != LXW_NO_ERROR) return 1;
  char folder[4096];
  snprintf(folder, sizeof folder, "%s", report_path);
  return synced(report_path) && synced(dirname(folder)) ? 0 : 1;
}

static int kinetics(const Lines* lines, const char* export_path, const char* report_path) {
  if (line_value(lines, 5) != 7 || line_value(lines, 6) != 1 || line_value(lines, 11) != 1)
    return 2;
  Report r = report_begin(export_path, report_path);
  blanks(r.ws, 0, 0, 9, 2, r.bold);
  blanks(r.ws, 11, 0, 11, 7, r.bold);
  put_text(r.ws, 1, 1, padded("Method", 27), r.bold);
  put_text(r.ws, 1, 4, padded("KINETICS", 44), r.plain);
  put_text(r.ws, 2, 1, padded("Time & Date", 26), r.bold);
  put_text(r.ws, 3, 1, " -------------------------------------------------------------", r.bold);
  put_text(r.ws, 4, 1, padded("Sample Group Name", 27), r.bold);
  put_text(r.ws, 4, 4, line_text(lines, 4), r.plain);
  put_text(r.ws, 5, 1, padded("Data Mode", 27), r.bold);
  put_text(r.ws, 5, 4, "OD", r.plain);
  put_text(r.ws, 6, 1, padded("Pathlength(mm)", 27), r.bold);
  worksheet_write_number(r.ws, 5, 3, 10, r.plain);
  put_text(r.ws, 7, 1, padded("WL(nm)", 27), r.bold);
  put_text(r.ws, 7, 4, line_text(lines, 10), r.plain);
  put_text(r.ws, 8, 1, padded("Scan Time(s)", 27), r.bold);
  put_text(r.ws, 8, 4, line_text(lines, 9), r.plain);
  put_text(r.ws, 9, 1, padded("Interval(s)", 27), r.bold);
  put_text(r.ws, 9, 4, "2.5", r.plain);
  put_text(r.ws, 10, 1, padded("Data Number", 27), r.bold);
  put_text(r.ws, 10, 4, line_text(lines, 13), r.plain);
  put_text(r.ws, 11, 1, padded("", 70), r.plain);
  put_text(r.ws, 12, 1, padded("Data(s)", 27), r.bold);
  put_text(r.ws, 12, 4, padded("Value", 34), r.bold);
  put_text(r.ws, 13, 1,
           " ---------------------------------------------------------------------", r.plain);

  int n = (int)line_value(lines, 13);
  int last = 14;
  for (int row = 14; row <= n + 13 && row <= max_row; row++) {
    lxw_format* f = row <= 50 ? r.plain : r.left;
    worksheet_write_number(r.ws, (lxw_row_t)(row - 1), 0, (row - 14) * 2.5, f);
    if (row <= lines->count) put_text(r.ws, row, 4, line_text(lines, row), f);
    last = row;
  }
  worksheet_set_landscape(r.ws);
  worksheet_fit_to_pages(r.ws, 1, 0);
  worksheet_print_area(r.ws, 0, 0, (lxw_row_t)(last - 1), 3);
  return report_end(&r, report_path);
}

static int scan(const Lines* lines, const char* export_path, const char* report_path) {
  static const double path_mm[] = {0.1, 0.125, 0.2, 0.5, 1, 2, 5};
  static const char* modes[] = {"%T", "OD", "E(S)"};
  static const char* headings[] = {"%T", "OD", "E(S)"};
  static const int heading_widths[] = {27, 27, 29};
  static const char* intervals[] = {"0.2", "0.5", "1", "2", "5"};
  static const double steps[] = {0.2, 0.5, 1, 2, 5};
  int path_code = (int)line_value(lines, 5);
  int mode = (int)line_value(lines, 6);
  int interval = (int)line_value(lines, 11) - 1;
  if (path_code < 0 || path_code > 6 || mode < 0 || mode > 2 || interval < 0 || interval > 4)
    return 2;

  Report r = report_begin(export_path, report_path);
  lxw_worksheet* ws = r.ws;
  lxw_format* plain = r.plain;
  lxw_format* bold = r.bold;
  blanks(ws, 0, 0, 13, 2, bold);
  blanks(ws, 14, 0, 14, 5, bold);
  put_text(ws, 1, 1, padded("Method", 27), bold);
  put_text(ws, 1, 4, "WL SCAN                                    ", plain);
  put_text(ws, 2, 1, padded("Time & Date", 27), bold);
  put_text(ws, 3, 1, " -------------------------------------------------------------", bold);
  put_text(ws, 4, 1, padded("Sample Group Name", 27), bold);
  put_text(ws, 4, 4, line_text(lines, 4), plain);
  put_text(ws, 5, 1, padded("Pathlength(mm)", 27), bold);
  worksheet_write_number(ws, 4, 3, path_mm[path_code], plain);
  put_text(ws, 6, 1, padded("Data Mode", 27), bold);
  put_text(ws, 6, 4, modes[mode], plain);
  put_text(ws, 7, 1, padded("Start-WL(nm)", 27), bold);
  put_text(ws, 7, 4, line_text(lines, 9), plain);
  put_text(ws, 8, 1, padded("End-WL(nm)", 26), bold);
  put_text(ws, 8, 4, line_text(lines, 10), plain);
  put_text(ws, 9, 1, padded("Interval(nm)", 26), bold);
  put_text(ws, 9, 4, intervals[interval], plain);
  put_text(ws, 10, 1, padded("Data Number", 28), bold);
  put_text(ws, 10, 4, line_text(lines, 13), plain);
  put_text(ws, 14, 1, padded("Data List", 72), bold);
  put_text(ws, 15, 1, padded("WL(nm)", 31), bold);
  char heading[32];
  snprintf(heading, sizeof heading, "%-*s", heading_widths[mode], headings[mode]);
  put_text(ws, 15, 4, heading, bold);

  int n = (int)line_value(lines, 13);
  double wavelength = line_value(lines, 9);
  int last = first_row;
  for (int row = first_row; row <= n + 15 && row <= max_row; row++) {
    lxw_format* f = row <= 50 ? plain : r.left;
    worksheet_write_number(ws, (lxw_row_t)(row - 1), 2, wavelength, f);
    wavelength += steps[interval];
    if (row - 2 <= lines->count) put_text(ws, row, 6, line_text(lines, row - 2), f);
    last = row;
  }

  lxw_chart* chart = workbook_add_chart(r.wb, LXW_CHART_LINE);
  lxw_chart_series* series = chart_add_series(chart, NULL, NULL);
  chart_series_set_categories(series, ws->name, first_row - 1, 2, (lxw_row_t)(last - 1), 2);
  chart_series_set_values(series, ws->name, first_row - 1, 5, (lxw_row_t)(last - 1), 5);
  chart_series_set_name(series, heading);
  chart_title_set_name(chart, "WL Scan");
  chart_legend_set_position(chart, LXW_CHART_LEGEND_TOP);
  chart_axis_set_name(chart->x_axis, padded("WL(nm)", 31));
  chart_axis_set_name(chart->y_axis, heading);
  chart_axis_set_interval_tick(chart->x_axis, 10);
  chart_axis_set_num_format(chart->x_axis, interval < 2 ? "0.0" : "0");
  lxw_chart_font label_font = {0};
  label_font.rotation = -45;
  chart_axis_set_num_font(chart->x_axis, &label_font);
  chart_axis_set_interval_unit(chart->x_axis, (uint16_t)label_interval(last - first_row + 1));
  lxw_chart_options options = {0};
  options.x_offset = (int32_t)(350 * 96.0 / 72 + 0.5);
  options.x_scale = 350 * 96.0 / 72 / 480;
  options.y_scale = 250 * 96.0 / 72 / 288;
  worksheet_insert_chart_opt(ws, 0, 0, chart, &options);
  worksheet_set_landscape(ws);
  worksheet_fit_to_pages(ws, 1, 0);
  worksheet_print_area(ws, 0, 0, (lxw_row_t)((last > chart_last_row ? last : chart_last_row) - 1),
                       print_last_col - 1);
  return report_end(&r, report_path);
}

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  Lines lines = read_lines(argv[1]);
  if (lines.count < 13) return 2;
  size_t length = strlen(argv[1]);
  int status = length > 4 && strcmp(argv[1] + length - 4, ".TSC") == 0
                   ? kinetics(&lines, argv[1], argv[2])
                   : scan(&lines, argv[1], argv[2]);
  free(lines.lines);
  return status;
}
