// Which node of the student tree is chosen, and who may choose it. Only the user's own
// click or keyboard move chooses a node and loads its student; focus alone chooses
// nothing. A rebuilt tree has nothing chosen, except where the command that rebuilt it
// kept a student (his data just saved): then exactly his node is shown chosen.
#include "main/Glowna.h"

#include <QSignalBlocker>
#include <QTreeWidgetItem>

#include "forms/dialogs/StudentDialog.h"
#include "platform/Controls.h"

void TFGlowna::ConnectTreeSelection()
{
    // A click or a keyboard move that changes the choice loads once; a click on the node
    // already chosen changes nothing in the selection and loads again.
    connect(TreeView, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (SelectedNode())
            TreeViewClick();
        else
            UpdateMenuState();
    });
    connect(TreeView, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (item && item == selectedAtPress_)
            TreeViewClick();
    });
}

void TFGlowna::NoteSelectionAtPress()
{
    selectedAtPress_ = SelectedNode();
}

QTreeWidgetItem* TFGlowna::SelectedNode() const
{
    const QList<QTreeWidgetItem*> chosen = TreeView->selectedItems();
    return chosen.isEmpty() ? nullptr : chosen.constFirst();
}

void TFGlowna::ShowNothingSelected()
{
    {
        const QSignalBlocker quiet(TreeView);
        TreeView->clearSelection();
        // An explicitly empty current node: the view then picks no first node of its own
        // when it gets the focus.
        TreeView->setCurrentItem(nullptr);
    }
    selectedAtPress_ = nullptr;
    UpdateMenuState();
}

void TFGlowna::ShowSelected(QTreeWidgetItem* node)
{
    if (!node) {
        ShowNothingSelected();
        return;
    }
    // Choosing again the node already chosen (one student saved again and again) would
    // only have the view look it up among all the students once more.
    if (TreeView->currentItem() != node || !node->isSelected()) {
        const QSignalBlocker quiet(TreeView);
        TreeView->setCurrentItem(node);
        node->setSelected(true);
    }
    TreeView->scrollToItem(node);
    UpdateMenuState();
}

void TFGlowna::KeepStudentSelected(const std::string& table)
{
    ShowSelected(FindDocumentNode(table, QString()));
}

std::string TFGlowna::StudentTableOfDialog() const
{
    return StudentTableName(FDaneUcznia->fieldText("NumerPesel_DATA_EDIT").toStdString());
}
