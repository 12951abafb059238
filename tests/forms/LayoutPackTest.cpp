// The packed layouts the program loads at start: the same catalog as parsing the layout
// files, every field, and refused whole when damaged.
#include "forms/Layout.h"
#include "forms/LayoutPack.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

const LayoutCatalog& SourceLayouts()
{
    static const LayoutCatalog catalog =
        LayoutCatalog::fromDirectory(QStringLiteral(VLM_SOURCE_DIR "/resources/layouts"));
    return catalog;
}

}  // namespace

TEST(LayoutPack, BuiltInCatalogIsTheLayoutFilesFieldByField)
{
    const LayoutCatalog& built = LayoutCatalog::builtIn();
    const LayoutCatalog& source = SourceLayouts();
    const std::pair<const char*, bool> parts[] = {
        {"forms", built.forms == source.forms},
        {"standaloneForms", built.standaloneForms == source.standaloneForms},
        {"designs", built.designs == source.designs},
        {"lists", built.lists == source.lists},
        {"schoolData", built.schoolData == source.schoolData},
        {"studentRules", built.studentRules == source.studentRules},
        {"samples", built.samples == source.samples},
        {"copyMaps", built.copyMaps == source.copyMaps},
        {"copyBlocks", built.copyBlocks == source.copyBlocks},
        {"dialogFields", built.dialogFields == source.dialogFields},
        {"problems", built.problems == source.problems},
    };
    for (const auto& [part, same] : parts)
        EXPECT_TRUE(same) << part;
    EXPECT_TRUE(built == source);
}

TEST(LayoutPack, KeepsNullTextsAndAbsentPartsApartFromEmptyOnes)
{
    LayoutCatalog catalog;
    LayoutComponent empty;
    empty.name = QStringLiteral("A_DATA_EDIT");
    empty.caption = QStringLiteral("");
    LayoutComponent null = empty;
    null.name = QStringLiteral("B_DATA_EDIT");
    null.caption = QString();
    null.dots = PageRect{1, 2, 3, 4};
    catalog.designs.insert(QStringLiteral("d"),
                           {QStringLiteral("d"), 2, QString(), {}, {empty, null}});
    FormSpec form;
    form.className = QStringLiteral("TFForm");
    form.loadBar = LoadBar{};
    form.loadBar->columns = {QStringLiteral("I"), QString()};
    FormSpec emptyColumn = form;  // a list like the first but for an empty text in place of null
    emptyColumn.loadBar->columns[1] = QStringLiteral("");
    catalog.forms = {form, FormSpec{}, emptyColumn};

    const LayoutCatalog unpacked = UnpackLayouts(PackLayouts(catalog));
    EXPECT_TRUE(unpacked == catalog);
    const QList<LayoutComponent>& components =
        unpacked.designs.value(QStringLiteral("d")).components;
    ASSERT_EQ(components.size(), 2);
    EXPECT_FALSE(components[0].caption.isNull());
    EXPECT_TRUE(components[1].caption.isNull());
    EXPECT_FALSE(components[0].dots.has_value());
    EXPECT_EQ(components[1].dots, (PageRect{1, 2, 3, 4}));
    EXPECT_TRUE(unpacked.forms[0].loadBar->columns[1].isNull());
    EXPECT_FALSE(unpacked.forms[1].loadBar.has_value());
    EXPECT_FALSE(unpacked.forms[2].loadBar->columns[1].isNull());
}

TEST(LayoutPack, DamagedBytesAreRefused)
{
    const QByteArray packed = PackLayouts(SourceLayouts());
    const std::pair<const char*, std::function<QByteArray()>> damages[] = {
        {"nothing", [] { return QByteArray(); }},
        {"another format", [&] { return QByteArray(packed).replace(0, 1, "X"); }},
        {"cut short", [&] { return packed.left(packed.size() - 1); }},
        {"cut inside the texts", [&] { return packed.left(64); }},
        {"bytes left over", [&] { return packed + QByteArray(4, '\0'); }},
    };
    for (const auto& [damage, bytes] : damages)
        EXPECT_THROW(UnpackLayouts(bytes()), std::runtime_error) << damage;
}
