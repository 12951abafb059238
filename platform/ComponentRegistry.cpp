#include "platform/ComponentRegistry.h"

QString FoldComponentName(QStringView name)
{
    QString folded = name.toString();
    for (QChar& c : folded)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
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
