// Block structure of the page: lists open and close by level, tables by nesting depth.
#include "html_flow.h"

#include <cstdio>

namespace irun {
namespace {

void appendPoints(std::string& css, const char* property, int twips) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s:%gpt;", property, twips / 20.0);
    css += buffer;
}

}  // namespace

std::string Flow::paragraphStyle(const BlockInfo& info, bool indents) {
    static const char* const kAlign[] = {"", "text-align:center;", "text-align:right;", "text-align:justify;"};
    std::string css = kAlign[info.align & 3];
    if (indents) {
        if (info.left) appendPoints(css, "margin-left", info.left);
        if (info.first) appendPoints(css, "text-indent", info.first);
    }
    if (info.right) appendPoints(css, "margin-right", info.right);
    if (info.before) appendPoints(css, "margin-top", info.before);
    if (info.after) appendPoints(css, "margin-bottom", info.after);
    if (css.empty()) return css;
    css.pop_back();
    return " STYLE=\"" + css + '"';
}

void Flow::closeLists(Sink& sink, size_t depth) {
    while (sink.lists.size() > depth) {
        const OpenList& top = sink.lists.back();
        if (top.itemOpen) sink.html += "</LI>";
        sink.html += top.ordered ? "</OL>\n" : "</UL>\n";
        sink.lists.pop_back();
    }
}

void Flow::listItem(Sink& sink, const BlockInfo& info, const std::string& style) {
    size_t want = static_cast<size_t>(info.listLevel) + 1;
    closeLists(sink, want);
    if (sink.lists.size() == want) {
        OpenList& top = sink.lists.back();
        if (top.ordered != info.ordered || top.key != info.listKey) closeLists(sink, want - 1);
    }
    int& count = counters_[{info.listKey, info.listLevel}];
    if (sink.lists.size() == want) {
        if (sink.lists.back().itemOpen) sink.html += "</LI>\n";
    } else {
        while (sink.lists.size() < want) {
            if (!info.ordered) {
                sink.html += "<UL>";
            } else {
                sink.html += "<OL";
                if (info.listType != '1') sink.html += std::string(" TYPE=\"") + info.listType + '"';
                int start = info.listStart + (sink.lists.size() + 1 == want ? count : 0);
                if (start != 1) sink.html += " START=\"" + std::to_string(start) + '"';
                sink.html += '>';
            }
            sink.lists.push_back({info.ordered, info.listKey, false});
        }
    }
    ++count;
    // A new item at a level restarts the numbering of the levels below it.
    for (auto it = counters_.lower_bound({info.listKey, info.listLevel + 1});
         it != counters_.end() && it->first.first == info.listKey;)
        it = counters_.erase(it);
    sink.html += "<LI" + style + '>';
    sink.lists.back().itemOpen = true;
}

void Flow::paragraph(const BlockInfo& info, const std::string& inlineHtml, bool hasContent) {
    setDepth(info.tableDepth);
    Sink& sink = current();
    char level = static_cast<char>('0' + info.heading);
    if (info.listLevel >= 0) {
        // Numbered headings stay headings, inside the item that numbers them.
        if (info.heading > 0) {
            listItem(sink, info, std::string());
            sink.html += std::string("<H") + level + paragraphStyle(info, false) + '>' + inlineHtml + "</H" + level + '>';
        } else {
            listItem(sink, info, paragraphStyle(info, false));
            sink.html += inlineHtml;
        }
        return;
    }
    closeLists(sink, 0);
    std::string style = paragraphStyle(info, true);
    if (info.heading > 0) {
        sink.html += std::string("<H") + level + style + '>' + inlineHtml + "</H" + level + ">\n";
        return;
    }
    sink.html += "<P" + style + '>';
    sink.html += hasContent ? inlineHtml : std::string("<BR>");
    sink.html += "</P>\n";
}

void Flow::setDepth(int depth) {
    if (depth < 0) depth = 0;
    if (depth > kMaxTableDepth) depth = kMaxTableDepth;
    while (static_cast<int>(tables_.size()) > depth) closeTable();
    while (static_cast<int>(tables_.size()) < depth) {
        closeLists(current(), 0);
        tables_.emplace_back();
    }
}

void Flow::closeTable() {
    Level& level = tables_.back();
    closeLists(level.cell, 0);
    if (!level.cell.html.empty()) level.table.addCell(std::move(level.cell.html));
    std::string html = level.table.render();
    tables_.pop_back();
    Sink& parent = current();
    closeLists(parent, 0);
    parent.html += html;
}

void Flow::endCell(int level) {
    setDepth(level < 1 ? 1 : level);
    Level& top = tables_.back();
    closeLists(top.cell, 0);
    top.table.addCell(std::move(top.cell.html));
    top.cell.html.clear();
}

void Flow::endRow(int level, const std::vector<CellLayout>& layout) {
    setDepth(level < 1 ? 1 : level);
    Level& top = tables_.back();
    if (!top.cell.html.empty()) endCell(level);
    top.table.endRow(layout);
}

std::string Flow::finish() {
    setDepth(0);
    closeLists(body_, 0);
    std::string html;
    html.swap(body_.html);
    counters_.clear();
    return html;
}

}  // namespace irun
