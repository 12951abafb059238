#pragma once
// The smaller controls the windows use, each with the one behaviour Qt's own class lacks.

#include "platform/Fonts.h"

#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

// A status bar that shows one text (not Qt's temporary messages); setText repaints at once.
class StatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent = nullptr);
    QString text() const;
    void setText(const QString& text);

private:
    QLabel* label_;
};

// A window of class `Base` that takes the dialog font (DialogFont) when it is first shown,
// not when it is made: that face is not on Linux systems and its match goes through
// fontconfig's substitution, which a window made at start and shown later pays only if it is
// shown. Until then its controls measure their texts in the application's font, already
// loaded. Children keep their own font settings (bold, say) and take the rest then.
template <class Base>
class WithDialogFontWhenShown : public Base {
public:
    using Base::Base;

    void setVisible(bool visible) override
    {
        if (visible && !fontSet_) {
            fontSet_ = true;
            this->setFont(DialogFont());
        }
        Base::setVisible(visible);
    }

private:
    bool fontSet_ = false;
};

// A caption at a fixed place that takes its text's size when first shown: measuring text
// loads its font, which a window made at start and shown later pays only if it is shown.
class PlacedLabel : public QLabel {
    Q_OBJECT
public:
    PlacedLabel(const QString& caption, QWidget* parent, QPoint place);

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool sized_ = false;
};

// A progress bar stepped by the work itself: each step is painted at once, since the
// work runs on the GUI thread and no event is handled until it ends. Stepping past the
// maximum starts again at the minimum.
class ProgressBar : public QProgressBar {
    Q_OBJECT
public:
    explicit ProgressBar(QWidget* parent = nullptr);
    void setStep(int step) { step_ = step; }
    int step() const { return step_; }
    void stepIt();
    void setPosition(int value);
    // Empty while the text is hidden: Qt would format the percentage on every step
    // only to decide whether the bar needs painting.
    QString text() const override;

private:
    int step_ = 1;
};

// A scroll box: a content area of a fixed size (a page's picture with the components
// placed over it at pixel positions) that scrolls inside the box.
class ScrollBox : public QScrollArea {
    Q_OBJECT
public:
    explicit ScrollBox(QWidget* parent = nullptr);
    // Parent of everything placed in the box; its top left is the content's origin.
    QWidget* content() const { return content_; }
    void setContentSize(const QSize& size);
    // Scrolls as little as needed to show `rect` (content coordinates).
    void scrollToShow(const QRect& rect);
    void scrollToTop();

private:
    QWidget* content_;
};

// A picture, sized to it unless stretched into the control's own size. It paints the
// image it is given, so every control showing one decoded picture shares its pixels.
class Image : public QLabel {
    Q_OBJECT
public:
    explicit Image(QWidget* parent = nullptr);
    void setPicture(const QImage& picture);
    QImage picture() const { return picture_; }
    void setStretch(bool stretch);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    bool stretch_ = false;
};

// Tab pages that can be hidden and shown again; a hidden page is never the current one.
class PageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget* parent = nullptr);
    void setPageVisible(QWidget* page, bool visible);
    bool isPageVisible(QWidget* page) const;
};

// A timer switched on and off like a control: enabling starts a full interval, changing
// the interval of an enabled timer starts it again.
class Timer : public QTimer {
    Q_OBJECT
public:
    explicit Timer(QObject* parent = nullptr);
    void setEnabled(bool enabled);
    bool isEnabled() const { return isActive(); }
    void setIntervalMs(int ms);
};

// A read-only tree (no header, no in-place editing).
class TreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit TreeView(QWidget* parent = nullptr);
};

// A read-only list of rows in columns, whole rows selected.
class ListView : public QTreeWidget {
    Q_OBJECT
public:
    explicit ListView(QWidget* parent = nullptr);
};
