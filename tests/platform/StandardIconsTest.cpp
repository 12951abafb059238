// The standard pictures asked of the style on first use look exactly as the style's own,
// in every size and mode a button may ask for.
#include "TestApp.h"

#include "platform/StandardIcons.h"

#include <QApplication>
#include <QImage>

#include <gtest/gtest.h>

TEST(StandardIcons, DrawAsTheStyleDoesInEverySizeAndMode)
{
    TestApp();
    const QStyle::StandardPixmap pictures[] = {QStyle::SP_DialogOkButton,
                                               QStyle::SP_DialogCancelButton,
                                               QStyle::SP_DialogOpenButton,
                                               QStyle::SP_DialogSaveButton,
                                               QStyle::SP_TrashIcon,
                                               QStyle::SP_DialogHelpButton,
                                               QStyle::SP_FileDialogDetailedView};
    for (const QStyle::StandardPixmap picture : pictures) {
        SCOPED_TRACE(int(picture));
        const QIcon style = QApplication::style()->standardIcon(picture);
        const QIcon deferred = StandardIcon(picture);
        EXPECT_EQ(deferred.isNull(), style.isNull());
        for (const QIcon::Mode mode :
             {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected}) {
            EXPECT_EQ(deferred.availableSizes(mode), style.availableSizes(mode));
            for (const int side : {16, 22, 32}) {
                const QSize size(side, side);
                EXPECT_EQ(deferred.actualSize(size, mode), style.actualSize(size, mode));
                EXPECT_EQ(deferred.pixmap(size, mode).toImage(), style.pixmap(size, mode).toImage())
                    << "size " << side << " mode " << int(mode);
            }
        }
    }
}
