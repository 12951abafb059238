#include "tests/forms/LayoutTestSupport.h"

#include "forms/LayoutValidator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

ComponentCounts CountComponents(const QList<LayoutComponent>& comps)
{
    ComponentCounts n;
    for (const LayoutComponent& c : comps) {
        switch (c.kind) {
        case ComponentKind::Edit:
            ++n.edits;
            break;
        case ComponentKind::Combo:
            ++n.combos;
            break;
        case ComponentKind::Memo:
            ++n.memos;
            break;
        case ComponentKind::Label:
            n.labels += c.name.contains("_DATA_LABEL");
            break;
        }
    }
    return n;
}

QList<LayoutComponent> BuiltInComponents(const QString& className)
{
    const LayoutCatalog& catalog = LayoutCatalog::builtIn();
    return catalog.components(*catalog.form(className));
}

QStringList ComponentNames(const QList<LayoutComponent>& comps)
{
    QStringList out;
    for (const LayoutComponent& c : comps)
        out << c.name;
    return out;
}

const LayoutComponent* FindComponent(const QList<LayoutComponent>& comps, const QString& name)
{
    for (const LayoutComponent& c : comps)
        if (c.name == name)
            return &c;
    return nullptr;
}

void ExpectFieldState(const QList<LayoutComponent>& comps, const FieldState& want)
{
    SCOPED_TRACE(want.name);
    const LayoutComponent* c = FindComponent(comps, QString::fromUtf8(want.name));
    ASSERT_NE(c, nullptr) << "no such field";
    EXPECT_EQ(c->maxLength, want.maxLength);
    EXPECT_EQ(c->disabled, want.disabled);
    EXPECT_EQ(c->readOnly, want.readOnly);
}

QStringList CheckedInNames(const QString& className)
{
    QFile f(QStringLiteral(VLM_SOURCE_DIR "/tests/forms/names/") + className + ".txt");
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
}

void CopyBuiltInLayouts(const QString& folder)
{
    const QDir source(QStringLiteral(VLM_SOURCE_DIR "/resources/layouts"));
    const QDir target(folder);
    for (const QString& file : source.entryList({"*.json"}, QDir::Files))
        ASSERT_TRUE(QFile::copy(source.filePath(file), target.filePath(file)))
            << file.toStdString();
}

void ExpectEditRejected(const LayoutEdit& edit)
{
    SCOPED_TRACE(edit.to);
    QTemporaryDir folder;
    ASSERT_NO_FATAL_FAILURE(CopyBuiltInLayouts(folder.path()));
    QFile f(folder.filePath(edit.file));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(f.readAll());
    f.close();
    const QString from = QString::fromUtf8(edit.from);
    ASSERT_TRUE(text.contains(from)) << edit.from;
    text.replace(text.lastIndexOf(from), from.size(), QString::fromUtf8(edit.to));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.toUtf8());
    f.close();
    const QString problems =
        ValidateLayouts(LayoutCatalog::fromDirectory(folder.path())).join('\n');
    EXPECT_TRUE(problems.contains(QString::fromUtf8(edit.expectedFragment)))
        << problems.toStdString();
}
