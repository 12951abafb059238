#pragma once
// The renderer's view of a document form of the form engine: look-up ignoring A–Z case,
// a label's caption or a field's text, a memo's text with the font and width it wraps at.

#include "forms/DocumentForm.h"
#include "render/RenderSource.h"

class DocumentFormSource : public RenderSource {
public:
    explicit DocumentFormSource(const DocumentForm& form)
        : form_(form)
    {
    }

    std::optional<Component> findComponent(const std::string& name) const override
    {
        const int index = form_.find(QString::fromStdString(name));
        if (index < 0)
            return std::nullopt;
        if (form_.component(index).kind != ComponentKind::Memo)
            return Component{form_.text(index), QFont(), 0};
        return Component{form_.text(index), form_.screenFont(index), form_.memoWrapWidth(index)};
    }

private:
    const DocumentForm& form_;
};
