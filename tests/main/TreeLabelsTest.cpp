// The tree shows every label whole: the tree scrolls sideways, and the node under the
// mouse tells its whole label in a tooltip.
#include "tests/main/WorkflowTestSupport.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>
#include <QTreeWidgetItem>

#include "main/Glowna.h"
#include "platform/Controls.h"

class TreeLabelsTest : public WorkflowTest {
protected:
    void SetUp() override
    {
        WorkflowTest::SetUp();
        storeStudent({"Adamski", "Piotr", "111"});
        ASSERT_TRUE(window().ReloadStudentsList());
        window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
        window().TreeView->expandAll();
    }
    void TearDown() override { window().hide(); }
};

TEST_F(TreeLabelsTest, LongestLabelsAreNotCutAndTheTreeScrollsSideways)
{
    TreeView& tree = *window().TreeView;
    // The class I, II, IV and V sheets of ART-II/281/3 differ only at the end.
    const QString labels[] = {
        "ART-II/281/3 świadectwo 201 i 201-w, klasa I",
        "ART-II/281/3 świadectwo 201 i 201-w, klasa II",
        "ART-II/281/3 świadectwo 201 i 201-w, klasa IV",
        "ART-II/281/3 świadectwo 201 i 201-w klasa V",
    };
    for (const QString& label : labels) {
        QTreeWidgetItem* node = documentNode("Adamski Piotr", label);
        ASSERT_NE(node, nullptr) << label.toStdString();
        const int needed = tree.fontMetrics().horizontalAdvance(label);
        const QRect shown = tree.visualItemRect(node);
        EXPECT_GE(shown.width(), needed) << label.toStdString();
    }
    EXPECT_GT(tree.header()->sectionSize(0), tree.viewport()->width());
    EXPECT_GT(tree.horizontalScrollBar()->maximum(), 0);
    // The scroll bar appears once the tree has laid its rows out.
    EXPECT_TRUE(QTest::qWaitFor([&] { return tree.horizontalScrollBar()->isVisible(); }));
}

TEST_F(TreeLabelsTest, TooltipTellsTheWholeLabelOfTheNodeUnderTheMouse)
{
    TreeView& tree = *window().TreeView;
    const QString label = "ART-II/281/3 świadectwo 201 i 201-w, klasa IV";
    QTreeWidgetItem* node = documentNode("Adamski Piotr", label);
    ASSERT_NE(node, nullptr);
    tree.scrollToItem(node);
    const QPoint at = tree.visualItemRect(node).center();
    QHelpEvent help(QEvent::ToolTip, at, tree.viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(tree.viewport(), &help);
    EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }));
    EXPECT_EQ(QToolTip::text(), label);
    QToolTip::hideText();
}
