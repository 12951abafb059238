#include "platform/ComponentRegistry.h"

namespace {

char16_t Folded(QChar c)
{
    const char16_t u = c.unicode();
    return u >= u'A' && u <= u'Z' ? char16_t(u + (u'a' - u'A')) : u;
}

}  // namespace

QString FoldComponentName(QStringView name)
{
    QString folded(name.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(folded.data());
    for (const QChar c : name)
        *out++ = Folded(c);
    return folded;
}

bool SameComponentName(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (Folded(a[i]) != Folded(b[i]))
            return false;
    return true;
}

size_t qHash(const ComponentNameKey& key, size_t start)
{
    size_t hash = start;
    for (const QChar c : key.name)
        hash = hash * 31 + Folded(c);
    return hash;
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
