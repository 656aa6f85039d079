#pragma once

#include <orcus/spreadsheet/import_interface.hpp>

// Cell addresses as "A1" or "$A$1", a sheet name before "!" ignored; the
// workbook readers need no more of formulas than where their cells are.
class OrcusCellReferences final : public orcus::spreadsheet::iface::import_reference_resolver
{
public:
    orcus::spreadsheet::src_address_t resolve_address(std::string_view address) override;
    orcus::spreadsheet::src_range_t resolve_range(std::string_view range) override;
};
