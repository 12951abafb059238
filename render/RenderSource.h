#pragma once
// A document form as the renderer sees it: a container of named components whose texts
// are drawn. The form engine adapts its forms to this.

#include <QFont>
#include <QString>

#include <optional>
#include <string>

class RenderSource {
public:
    struct Component {
        QString text;  // caption of a label, displayed text of an edit or combo box,
                       // whole text of a memo
        // A memo's display: its lines are those the shared line breaker gives for the text
        // at this font and width in pixels (0: no word wrap, each text line is a line).
        QFont memoFont;
        int memoWidth = 0;
    };

    virtual ~RenderSource() = default;
    // The component of that name, letters A–Z compared without regard to case.
    virtual std::optional<Component> findComponent(const std::string& name) const = 0;
};
