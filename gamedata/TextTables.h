// The developer mode's source form of the data: seven text files, one row a
// line, columns separated by "<>" (by "," in "Card_Data.txt").
#pragma once

#include <string>
#include <vector>

// Ends `line` at the first `separator` and returns the text after it;
// nullptr (and the line untouched) when there is no separator.
char* splitAtSeparator(char* line, const char* separator);

// Parses a number as the tables do: leading spaces, a sign, the leading
// decimal digits; 0 when there are none. Saturates instead of overflowing.
int parseTableNumber(const char* text);

// What the loader found wrong, one line each ("Item_Data.txt:12: ...").
struct TextTableReport {
    std::vector<std::string> problems;
    int missingFiles = 0;  // tables that could not be opened
    bool ok() const { return problems.empty(); }
};

// Reads the seven text tables from `directory` into the tables, in the order
// items, weapon skills, magic skills, magical stones, monsters, groups,
// cards. A missing file is reported and skipped; a row outside a table, an
// over-long line or a text longer than its field is reported with its file
// and line (a long text is kept cut on a character boundary).
void loadTextTables(const char* directory, TextTableReport& report);

// The seven file names in loading order.
extern const char* const kTextTableFiles[7];
