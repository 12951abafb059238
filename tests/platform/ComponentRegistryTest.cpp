#include "TestApp.h"

#include "platform/ComponentRegistry.h"
#include "platform/Edit.h"

#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

TEST(ComponentNames, OnlyTheCaseOfAToZIsIgnored)
{
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"ZMIENNA_Klasa_STR1_DATA_EDIT", "zmienna_klasa_str1_data_edit", true},
        {"Imie_DATA_EDIT", "IMIE_data_edit", true},
        {"Ćma_DATA_EDIT", "ćma_data_edit", false},  // Polish letters keep their case
        {"Ab", "Ab ", false},
        {"Ab", "Ac", false},
    };
    for (const auto& c : cases) {
        const QString a = QString::fromUtf8(c.a), b = QString::fromUtf8(c.b);
        EXPECT_EQ(SameComponentName(a, b), c.same) << c.a << " / " << c.b;
        EXPECT_EQ(FoldComponentName(a) == FoldComponentName(b), c.same) << c.a << " / " << c.b;
        // As keys of a hash: found under every name that folds alike, under no other.
        QHash<ComponentNameKey, int> keys;
        keys.insert({a}, 1);
        EXPECT_EQ(keys.value({b}, 0), c.same ? 1 : 0) << c.a << " / " << c.b;
    }
}

TEST(ComponentRegistry, FindsByNameAndKeepsTheLayoutOrder)
{
    TestApp();
    QWidget form;
    QWidget page(&form);
    // Created in an order that differs from the widget tree's depth-first order.
    auto* second = new Edit(&page);
    second->setObjectName(QStringLiteral("ZMIENNA_B_STR2_DATA_EDIT"));
    auto* first = new QLabel(&form);
    first->setObjectName(QStringLiteral("STALY_A_STR1_DATA_LABEL"));
    auto* duplicate = new QLabel(&form);
    duplicate->setObjectName(QStringLiteral("staly_a_str1_data_label"));

    ComponentRegistry registry;
    registry.add(first);
    registry.add(second);
    registry.add(duplicate);

    EXPECT_EQ(registry.find(u"STALY_A_STR1_DATA_LABEL"), first);
    EXPECT_EQ(registry.find(u"staly_A_str1_data_LABEL"), first);  // the first of equal names
    EXPECT_EQ(registry.find<Edit>(u"zmienna_b_str2_data_edit"), second);
    EXPECT_EQ(registry.find<Edit>(u"STALY_A_STR1_DATA_LABEL"), nullptr);  // wrong class
    EXPECT_EQ(registry.find(u"ZMIENNA_C_STR2_DATA_EDIT"), nullptr);
    EXPECT_EQ(registry.components(), (std::vector<QObject*>{first, second, duplicate}));

    EXPECT_EQ(findComponent<Edit>(&form, u"ZMIENNA_b_STR2_data_EDIT"), second);
    EXPECT_EQ(findComponent(&form, u"nothing"), nullptr);
}
