// Table rendering: merges resolved once the whole table is known.
#include "html_table.h"

#include <utility>

namespace irun {

void TableBuilder::addCell(std::string html) {
    Cell cell;
    cell.html = std::move(html);
    cells_.push_back(std::move(cell));
}

void TableBuilder::endRow(const std::vector<CellLayout>& layout) {
    if (cells_.empty()) return;
    // Writers sometimes end a row with more cells than it defines; empty extras are noise.
    while (!layout.empty() && cells_.size() > layout.size() && cells_.back().html.empty()) cells_.pop_back();
    for (size_t i = 0; i < cells_.size() && i < layout.size(); ++i) cells_[i].layout = layout[i];
    size_t width = cells_.size();
    rows_.push_back(std::move(cells_));
    cells_.clear();
    cells_.reserve(width);
}

void TableBuilder::mergeCells() {
    struct Origin {
        size_t row = 0, cell = 0;
        bool valid = false;
    };
    std::vector<Origin> origins;
    for (size_t r = 0; r < rows_.size(); ++r) {
        auto& row = rows_[r];
        Cell* previous = nullptr;
        size_t column = 0;
        for (size_t i = 0; i < row.size(); ++i) {
            Cell& cell = row[i];
            if (cell.layout.hmerge == 2 && previous) {
                previous->colspan++;
                previous->layout.width += cell.layout.width;
                previous->html += cell.html;
                cell.merged = true;
                ++column;
                continue;
            }
            previous = &cell;
            if (origins.size() <= column) origins.resize(column + 1);
            Origin& origin = origins[column];
            if (cell.layout.vmerge == 2 && origin.valid) {
                Cell& top = rows_[origin.row][origin.cell];
                top.rowspan++;
                top.html += cell.html;
                cell.merged = true;
                previous = nullptr;
            } else if (cell.layout.vmerge == 1) {
                origin = {r, i, true};
            } else {
                origin.valid = false;
            }
            ++column;
        }
    }
}

void TableBuilder::render(std::string& out) {
    std::vector<CellLayout> none;
    endRow(none);
    mergeCells();
    out += "<TABLE BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"2\">\n";
    auto number = [&out](const char* name, int value) {
        out += name;
        out += std::to_string(value);
        out += '"';
    };
    for (const auto& row : rows_) {
        out += "<TR>";
        for (const Cell& cell : row) {
            if (cell.merged) continue;
            out += "<TD";
            if (cell.layout.width > 0) number(" WIDTH=\"", cell.layout.width);
            if (cell.colspan > 1) number(" COLSPAN=\"", cell.colspan);
            if (cell.rowspan > 1) number(" ROWSPAN=\"", cell.rowspan);
            if (!cell.layout.background.empty()) {
                out += " BGCOLOR=\"";
                out += cell.layout.background;
                out += '"';
            }
            out += " VALIGN=\"TOP\">";
            if (cell.html.empty()) {
                out += "&nbsp;";
            } else {
                out += cell.html;
            }
            out += "</TD>";
        }
        out += "</TR>\n";
    }
    out += "</TABLE>\n";
    rows_.clear();
}

}  // namespace irun
