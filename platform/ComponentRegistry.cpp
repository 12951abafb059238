#include "platform/ComponentRegistry.h"

QString FoldComponentName(QStringView name)
{
    QString folded(name.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(folded.data());
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        *out++ = u >= u'A' && u <= u'Z' ? char16_t(u + (u'a' - u'A')) : u;
    }
    return folded;
}

bool SameComponentName(QStringView a, QStringView b)
{
    return FoldComponentName(a) == FoldComponentName(b);
}

void ComponentRegistry::add(QObject* component)
{
    order_.push_back(component);
    const QString key = FoldComponentName(component->objectName());
    if (!byName_.contains(key))
        byName_.insert(key, component);
}

QObject* ComponentRegistry::find(QStringView name) const
{
    return byName_.value(FoldComponentName(name), nullptr);
}

void ComponentRegistry::clear()
{
    order_.clear();
    byName_.clear();
}

namespace {

QObject* findFolded(const QObject* root, const QString& key)
{
    for (QObject* child : root->children()) {
        if (FoldComponentName(child->objectName()) == key)
            return child;
        if (QObject* found = findFolded(child, key))
            return found;
    }
    return nullptr;
}

} // namespace

QObject* findComponent(const QObject* root, QStringView name)
{
    return findFolded(root, FoldComponentName(name));
}
