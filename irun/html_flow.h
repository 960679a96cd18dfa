// Turns finished paragraphs into block HTML: paragraphs, headings, nested lists and nested tables.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "html_table.h"

namespace irun {

struct BlockInfo {
    int heading = 0;  // 1-6, or 0 for a plain paragraph
    int align = 0;    // 0 left, 1 centre, 2 right, 3 justified
    int left = 0, right = 0, first = 0, before = 0, after = 0;  // twips
    int tableDepth = 0;
    bool rtl = false;
    int listLevel = -1;  // 0-8 for a list item
    bool ordered = false;
    int listKey = 0;     // paragraphs of one list share a key
    int listStart = 1;
    char listType = '1';  // OL TYPE: 1, a, A, i, I
};

class Flow {
public:
    static constexpr int kMaxTableDepth = 32;

    void paragraph(const BlockInfo& info, const std::string& inlineHtml, bool hasContent);
    void endCell(int level);
    // Ends the cell still open at the level and returns how many cells its row has: the row's
    // layout needs no more entries than that.
    size_t closeRowCells(int level);
    void endRow(int level, const std::vector<CellLayout>& layout);
    // Closes open lists and tables and hands over everything written so far.
    std::string finish();

private:
    struct OpenList {
        bool ordered;
        int key;
        bool itemOpen;
    };
    struct Sink {
        std::string html;
        std::vector<OpenList> lists;
    };
    struct Level {
        TableBuilder table;
        Sink cell;
    };

    Sink& current() { return tables_.empty() ? body_ : tables_.back().cell; }
    void setDepth(int depth);
    void closeTable();
    void closeLists(Sink& sink, size_t depth);
    void listItem(Sink& sink, const BlockInfo& info, bool attributes);
    static void appendAttributes(const BlockInfo& info, bool indents, std::string& out);

    Sink body_;
    std::vector<Level> tables_;
    std::map<std::pair<int, int>, int> counters_;  // items written per list key and level
};

}  // namespace irun
