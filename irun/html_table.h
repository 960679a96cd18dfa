// Collects the rows of one table and renders them, with merged cells as COLSPAN and ROWSPAN.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace irun {

struct CellLayout {
    int width = 0;        // pixels; 0 for unknown
    uint8_t hmerge = 0;   // 1 first of a horizontal merge, 2 merged into the cell before
    uint8_t vmerge = 0;   // 1 first of a vertical merge, 2 merged into the cell above
    std::string background;  // "#RRGGBB" or empty
};

class TableBuilder {
public:
    void addCell(std::string html);
    size_t pendingCells() const { return cells_.size(); }
    // Ends the row; the layout describes its cells left to right and may be shorter or longer.
    void endRow(const std::vector<CellLayout>& layout);
    // Appends the table and forgets its rows.
    void render(std::string& out);

private:
    struct Cell {
        std::string html;
        CellLayout layout;
        int colspan = 1;
        int rowspan = 1;
        bool merged = false;
    };
    void mergeCells();

    std::vector<std::vector<Cell>> rows_;
    std::vector<Cell> cells_;
};

}  // namespace irun
