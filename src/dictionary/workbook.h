#pragma once

#include <string>
#include <vector>

namespace vantelo {

// Spreadsheet workbooks without a spreadsheet application: cells are UTF-8
// texts, a sheet is a vector of rows, "" is an empty cell.
using WorkbookRows = std::vector<std::vector<std::string>>;

// The most a worksheet holds, as spreadsheet applications define it.
inline constexpr int WorkbookMaxRows = 1048576;
inline constexpr int WorkbookMaxColumns = 16384;

// The largest grid ReadWorkbook hands out (rows x columns of the grid, empty
// cells included), and the most text all its cells may hold together.
inline constexpr size_t WorkbookMaxCells = size_t(16) << 20;
inline constexpr size_t WorkbookMaxTextBytes = size_t(512) << 20;

// Writes an .xlsx workbook of one worksheet: the first row in bold, italic,
// underlined dark blue (#000080) as a header, every other cell as plain text
// (never as a number, line breaks kept), each column as wide as its longest
// text line (up to 100 characters). Rows may differ in length; empty cells
// are not written.
//
// The file is written safely with the backup rule of the dictionary files:
// a failure raises ELangException naming the file and leaves the previous
// file where it was. A name ending in ".xls" is refused, as only the .xlsx
// form is written.
void WriteWorkbook(const std::string& fileName, const WorkbookRows& rows);

// Reads the first worksheet of a workbook, recognised by its content: an
// .xlsx (a zip package) or a legacy .xls (an OLE2 compound file). Row 0 of
// the result is the sheet's row 1; the grid spans from A1 to the last row
// and column that hold a text, so every row has the same length, and a sheet
// without texts gives no rows.
//
// Cells come back as the texts a spreadsheet shows before formatting: texts
// as they are, numbers as stored ("42", "3.5"), booleans as TRUE and FALSE,
// error values as stored ("#N/A"), .xls dates as YYYY-MM-DD (HH:MM:SS).
//
// Raises ELangException naming the file when it cannot be read, is not a
// workbook, is damaged, or would exceed WorkbookMaxCells or
// WorkbookMaxTextBytes.
WorkbookRows ReadWorkbook(const std::string& fileName);

// A1-style names (rows and columns from 0): ColumnName(27) is "AB",
// CellName(6, 2) is "C7".
std::string ColumnName(int column);
std::string CellName(int row, int column);

} // namespace vantelo
