#include "render/Catalogue.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

using enum NoDotsOption;

#include "CatalogueData.inc"

static_assert(kTypes.size() == kDocumentTypeCount);
// The tables are written with a "_bk" twin for each certificate set, below kFirstSheetType.
static_assert(std::ranges::all_of(kPreviews, [](const CalibrationPreview& row) {
    return row.twin.empty() == (row.type >= kFirstSheetType);
}));

constexpr std::string_view kTwinSuffix = "_bk";

}  // namespace

std::span<const DocumentType> DocumentTypes()
{
    return kTypes;
}

const DocumentType* FindDocumentType(int type)
{
    return type >= 0 && type < kDocumentTypeCount ? &kTypes[static_cast<std::size_t>(type)]
                                                  : nullptr;
}

bool IsCertificateType(int type)
{
    return type >= 0 && type < kFirstSheetType;
}

std::span<const DocumentLabel> DocumentLabels()
{
    return kLabels;
}

const DocumentLabel* FindDocumentLabel(std::string_view label)
{
    if (label.empty())
        return nullptr;
    for (const DocumentLabel& row : kLabels) {
        if (row.label == label)
            return &row;
    }
    return nullptr;
}

std::span<const CalibrationPreview> CalibrationPreviews()
{
    return kPreviews;
}

const CalibrationPreview* FindCalibrationPreview(std::string_view set, NoDotsOption* noDots)
{
    for (const CalibrationPreview& row : kPreviews) {
        const bool twin = !row.twin.empty() && row.twin == set;
        if (row.set == set || twin) {
            if (noDots)
                *noDots = twin ? Checked : row.noDots;
            return &row;
        }
    }
    return nullptr;
}

std::span<const std::string_view> CalibrationSampleForms()
{
    return kSampleForms;
}

std::span<const std::string_view> CalibrationSetNames()
{
    static const auto names = [] {
        static std::array<std::string, kFirstSheetType> twins;
        std::array<std::string_view, kDocumentTypeCount + kFirstSheetType> all;
        std::size_t next = 0;
        for (const DocumentType& type : kTypes) {
            all[next++] = type.set;
            if (IsCertificateType(type.type)) {
                twins[static_cast<std::size_t>(type.type)] =
                    std::string(type.set) + std::string(kTwinSuffix);
                all[next++] = twins[static_cast<std::size_t>(type.type)];
            }
        }
        return all;
    }();
    return names;
}

std::string RenderSetName(int type, bool printNoDots)
{
    const DocumentType* row = FindDocumentType(type);
    if (!row)
        return {};
    std::string set(row->set);
    if (printNoDots && IsCertificateType(type))
        set += kTwinSuffix;
    return set;
}
