#pragma once
// Components are found by name the way the layouts expect: letter case of A-Z ignored,
// every other character (Polish letters included) compared exactly. A registry keeps the
// components in the order the layout created them.

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringView>

#include <vector>

// `name` with A-Z turned into a-z and nothing else changed.
QString FoldComponentName(QStringView name);
bool SameComponentName(QStringView a, QStringView b);

// A name as a hash key equal to every name it folds alike with, without a folded copy.
struct ComponentNameKey {
    QString name;
    bool operator==(const ComponentNameKey& other) const
    {
        return SameComponentName(name, other.name);
    }
};
size_t qHash(const ComponentNameKey& key, size_t start = 0);

class ComponentRegistry {
public:
    // Registers `component` under its objectName, after those added before. A second
    // component of an equal name is kept in the order but never found by name.
    void add(QObject* component);

    QObject* find(QStringView name) const;
    template <class T>
    T* find(QStringView name) const
    {
        return qobject_cast<T*>(find(name));
    }

    // In the order of add(); the components must outlive the registry or be removed first.
    const std::vector<QObject*>& components() const { return order_; }
    void clear();

private:
    std::vector<QObject*> order_;
    QHash<ComponentNameKey, QObject*> byName_;
};

// Searches `root`'s descendants (depth first, in child order) for `name`.
QObject* findComponent(const QObject* root, QStringView name);
template <class T>
T* findComponent(const QObject* root, QStringView name)
{
    return qobject_cast<T*>(findComponent(root, name));
}
