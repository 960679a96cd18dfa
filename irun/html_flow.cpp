// Block structure of the page: lists open and close by level, tables by nesting depth.
#include "html_flow.h"

#include "html_text.h"

namespace irun {
namespace {

void appendPoints(std::string& css, const char* property, int twips) {
    css += property;
    css += ':';
    appendHundredths(twips * 5LL, css);
    css += "pt;";
}

}  // namespace

void Flow::appendAttributes(const BlockInfo& info, bool indents, std::string& out) {
    static const char* const kAlign[] = {"", "text-align:center;", "text-align:right;", "text-align:justify;"};
    if (info.rtl) out += " DIR=\"rtl\"";
    size_t start = out.size();
    out += " STYLE=\"";
    size_t css = out.size();
    out += kAlign[info.align & 3];
    if (indents) {
        if (info.left) appendPoints(out, "margin-left", info.left);
        if (info.first) appendPoints(out, "text-indent", info.first);
    }
    if (info.right) appendPoints(out, "margin-right", info.right);
    if (info.before) appendPoints(out, "margin-top", info.before);
    if (info.after) appendPoints(out, "margin-bottom", info.after);
    if (out.size() == css) {
        out.resize(start);
        return;
    }
    out.back() = '"';
}

void Flow::closeLists(Sink& sink, size_t depth) {
    while (sink.lists.size() > depth) {
        const OpenList& top = sink.lists.back();
        if (top.itemOpen) sink.html += "</LI>";
        sink.html += top.ordered ? "</OL>\n" : "</UL>\n";
        sink.lists.pop_back();
    }
}

void Flow::listItem(Sink& sink, const BlockInfo& info, bool attributes) {
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
    sink.html += "<LI";
    if (attributes) appendAttributes(info, false, sink.html);
    sink.html += '>';
    sink.lists.back().itemOpen = true;
}

void Flow::paragraph(const BlockInfo& info, const std::string& inlineHtml, bool hasContent) {
    setDepth(info.tableDepth);
    Sink& sink = current();
    std::string& out = sink.html;
    char level = static_cast<char>('0' + info.heading);
    if (info.listLevel >= 0) {
        // Numbered headings stay headings, inside the item that numbers them.
        listItem(sink, info, info.heading == 0);
        if (info.heading == 0) {
            out += inlineHtml;
            return;
        }
    } else {
        closeLists(sink, 0);
    }
    out += '<';
    out += info.heading > 0 ? 'H' : 'P';
    if (info.heading > 0) out += level;
    appendAttributes(info, info.listLevel < 0, out);
    out += '>';
    if (hasContent || info.heading > 0) {
        out += inlineHtml;
    } else {
        out += "<BR>";
    }
    if (info.heading > 0) {
        out += "</H";
        out += level;
        out += info.listLevel < 0 ? ">\n" : ">";
    } else {
        out += "</P>\n";
    }
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
    Level level = std::move(tables_.back());
    tables_.pop_back();
    closeLists(level.cell, 0);
    if (!level.cell.html.empty()) level.table.addCell(std::move(level.cell.html));
    Sink& parent = current();
    closeLists(parent, 0);
    level.table.render(parent.html);
}

void Flow::endCell(int level) {
    setDepth(level < 1 ? 1 : level);
    Level& top = tables_.back();
    closeLists(top.cell, 0);
    top.table.addCell(std::move(top.cell.html));
    top.cell.html.clear();
}

size_t Flow::closeRowCells(int level) {
    setDepth(level < 1 ? 1 : level);
    if (!tables_.back().cell.html.empty()) endCell(level);
    return tables_.back().table.pendingCells();
}

void Flow::endRow(int level, const std::vector<CellLayout>& layout) {
    closeRowCells(level);
    tables_.back().table.endRow(layout);
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
