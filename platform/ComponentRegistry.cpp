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
    // Setting bit 5 of every code unit gives A-Z and a-z one value, which is all the hash
    // must do for names alike; it merges a few other pairs too, which costs nothing, and
    // it is a quarter of the folding's work in the thousands of names hashed at start.
    size_t hash = start;
    const ushort* units = key.name.utf16();
    for (qsizetype i = 0; i < key.name.size(); ++i)
        hash = hash * 31 + (units[i] | 0x20u);
    return hash;
}

void ComponentRegistry::add(QObject* component)
{
    order_.push_back(component);
    const ComponentNameKey key{component->objectName()};
    if (!byName_.contains(key))
        byName_.insert(key, component);
}

QObject* ComponentRegistry::find(QStringView name) const
{
    // The key only borrows the characters for the look-up.
    return byName_.value({QString::fromRawData(name.data(), name.size())}, nullptr);
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

}  // namespace

QObject* findComponent(const QObject* root, QStringView name)
{
    return findFolded(root, FoldComponentName(name));
}
