#include "common/sheet/OrcusCellReferences.h"

#include <algorithm>
#include <stdexcept>

namespace ss = orcus::spreadsheet;

ss::src_address_t OrcusCellReferences::resolve_address(std::string_view address)
{
    const size_t bang = address.rfind('!');
    if (bang != std::string_view::npos)
        address.remove_prefix(bang + 1);
    long column = 0;
    long row = 0;
    size_t i = 0;
    for (; i < address.size(); ++i) {
        const char c = address[i];
        if (c == '$')
            continue;
        if ((c | 0x20) < 'a' || (c | 0x20) > 'z')
            break;
        column = std::min(column * 26 + ((c | 0x20) - 'a' + 1), 1L << 20);
    }
    for (; i < address.size(); ++i) {
        const char c = address[i];
        if (c == '$')
            continue;
        if (c < '0' || c > '9')
            throw std::invalid_argument("not a cell address");
        row = std::min(row * 10 + (c - '0'), 1L << 24);
    }
    if (column == 0 || row == 0)
        throw std::invalid_argument("not a cell address");
    return {0, ss::row_t(row - 1), ss::col_t(column - 1)};
}

ss::src_range_t OrcusCellReferences::resolve_range(std::string_view range)
{
    const size_t colon = range.find(':');
    if (colon == std::string_view::npos) {
        const ss::src_address_t cell = resolve_address(range);
        return {cell, cell};
    }
    return {resolve_address(range.substr(0, colon)), resolve_address(range.substr(colon + 1))};
}
