#include "forms/LayoutPack.h"

#include <QHash>

#include <cstring>
#include <stdexcept>
#include <type_traits>

namespace {

constexpr quint32 kMagic = 0x4b504c56;  // "VLPK"
constexpr quint32 kVersion = 2;
constexpr qint32 kNullString = -1;

template <class>
[[maybe_unused]] constexpr bool kNoFields = false;

// Every field of every record, in the order both directions use; `io` writes them when
// the record is const and reads them into it otherwise.
template <class Io, class Record>
void Fields(Io& io, Record& r)
{
    using T = std::remove_const_t<Record>;
    if constexpr (std::is_same_v<T, PageRect>) {
        io(r.x1, r.y1, r.x2, r.y2);
    } else if constexpr (std::is_same_v<T, PrintFont>) {
        io(r.name, r.size, r.bold, r.italic, r.underline, r.strike, r.align);
    } else if constexpr (std::is_same_v<T, LayoutComponent>) {
        io(r.kind, r.name, r.caption, r.maxLength, r.itemsRef, r.items, r.editable, r.disabled,
           r.readOnly, r.lineLimit, r.wrap, r.tab, r.rect, r.font, r.dots, r.screenHeight, r.page);
    } else if constexpr (std::is_same_v<T, DrawingElement>) {
        io(r.name, r.rect);
    } else if constexpr (std::is_same_v<T, PageDesign>) {
        io(r.name, r.page, r.picture, r.drawings, r.components);
    } else if constexpr (std::is_same_v<T, FormPage>) {
        io(r.design, r.tab);
    } else if constexpr (std::is_same_v<T, FormButton>) {
        io(r.name, r.caption, r.handler, r.role, r.glyph);
    } else if constexpr (std::is_same_v<T, StudentRule>) {
        io(r.target, r.join, r.onlyIfEmpty, r.sexRule, r.masculine, r.otherwise);
    } else if constexpr (std::is_same_v<T, SampleStep>) {
        io(r.field, r.text, r.isMemo, r.lines);
    } else if constexpr (std::is_same_v<T, SampleSet>) {
        io(r.clearFirst, r.steps);
    } else if constexpr (std::is_same_v<T, CopyStep>) {
        io(r.from, r.separator, r.text, r.to, r.namesOnly);
    } else if constexpr (std::is_same_v<T, CopyBlock>) {
        io(r.page, r.column, r.digit, r.targetClass, r.map, r.names, r.values);
    } else if constexpr (std::is_same_v<T, Preset>) {
        io(r.field, r.text);
    } else if constexpr (std::is_same_v<T, LoadBarEntry>) {
        io(r.caption, r.formClass);
    } else if constexpr (std::is_same_v<T, LoadBar>) {
        io(r.pageCode, r.certificates, r.columns, r.namesCheckBox, r.certificateListName,
           r.columnListName, r.selectOnShow);
    } else if constexpr (std::is_same_v<T, FormSpec>) {
        io(r.className, r.instanceName, r.key, r.caption, r.kind, r.pageCount, r.pages,
           r.activePage, r.listSubstitutions, r.buttons, r.calibrationSet, r.schoolData, r.student,
           r.samples, r.copy, r.presets, r.loadBar);
    } else if constexpr (std::is_same_v<T, LayoutCatalog>) {
        io(r.forms, r.standaloneForms, r.designs, r.lists, r.schoolData, r.studentRules, r.samples,
           r.copyMaps, r.copyBlocks, r.dialogFields, r.problems);
    } else {
        static_assert(kNoFields<T>, "a record without its fields");
    }
}

class Writer {
public:
    template <class... Values>
    void operator()(const Values&... values)
    {
        (write(values), ...);
    }

    QByteArray finish() const
    {
        QByteArray out;
        const auto put = [&out](qint32 v) {
            out.append(reinterpret_cast<const char*>(&v), sizeof v);
        };
        put(qint32(kMagic));
        put(qint32(kVersion));
        put(qint32(strings_.size()));
        for (const QString& s : strings_) {
            put(qint32(s.size()));
            out.append(reinterpret_cast<const char*>(s.utf16()),
                       s.size() * qsizetype(sizeof(char16_t)));
        }
        put(qint32(listIndex_.size()));
        return out + lists_ + body_;
    }

private:
    void write(qint32 v) { body_.append(reinterpret_cast<const char*>(&v), sizeof v); }
    void write(bool v) { write(qint32(v)); }
    template <class E>
    requires std::is_enum_v<E>
    void write(E v) { write(qint32(v)); }
    qint32 intern(const QString& s)
    {
        if (s.isNull())
            return kNullString;
        auto known = index_.constFind(s);
        if (known == index_.constEnd()) {
            known = index_.insert(s, qint32(strings_.size()));
            strings_.append(s);
        }
        return *known;
    }
    void write(const QString& s) { write(intern(s)); }
    // Lists of texts repeat (every combo of one kind holds the same items): each distinct
    // list is stored once too.
    // Found by their texts' numbers: a null text and an empty one are different lists.
    void write(const QStringList& list)
    {
        QList<qint32> texts;
        texts.reserve(list.size());
        for (const QString& s : list)
            texts.append(intern(s));
        auto known = listIndex_.constFind(texts);
        if (known == listIndex_.constEnd()) {
            known = listIndex_.insert(texts, qint32(listIndex_.size()));
            const auto put = [this](qint32 v) {
                lists_.append(reinterpret_cast<const char*>(&v), sizeof v);
            };
            put(qint32(texts.size()));
            for (const qint32 text : texts)
                put(text);
        }
        write(*known);
    }
    template <class T>
    void write(const QList<T>& list)
    {
        write(qint32(list.size()));
        for (const T& item : list)
            write(item);
    }
    template <class K, class V>
    void write(const QMap<K, V>& map)
    {
        write(qint32(map.size()));
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            write(it.key());
            write(it.value());
        }
    }
    template <class A, class B>
    void write(const std::pair<A, B>& pair)
    {
        write(pair.first);
        write(pair.second);
    }
    template <class T>
    void write(const std::optional<T>& value)
    {
        write(value.has_value());
        if (value)
            write(*value);
    }
    template <class T>
    requires std::is_class_v<T>
    void write(const T& record) { Fields(*this, record); }

    QByteArray body_;
    QHash<QString, qint32> index_;
    QStringList strings_;
    QHash<QList<qint32>, qint32> listIndex_;
    QByteArray lists_;
};

class Reader {
public:
    explicit Reader(QByteArrayView bytes)
        : at_(bytes.data())
        , end_(bytes.data() + bytes.size())
    {
        if (take() != qint32(kMagic) || take() != qint32(kVersion))
            throw std::runtime_error("packed layouts: not written by this version");
        const qint32 count = size();
        strings_.reserve(count);
        for (qint32 i = 0; i < count; ++i) {
            const qint32 length = size();
            QString s(length, Qt::Uninitialized);
            copy(s.data(), length * qsizetype(sizeof(char16_t)));
            strings_.append(s);
        }
        const qint32 lists = size();
        lists_.reserve(lists);
        for (qint32 i = 0; i < lists; ++i) {
            QStringList& list = lists_.emplaceBack();
            const qint32 n = size();
            list.reserve(n);
            for (qint32 k = 0; k < n; ++k)
                read(list.emplaceBack());
        }
    }

    template <class... Values>
    void operator()(Values&... values)
    {
        (read(values), ...);
    }

    bool atEnd() const { return at_ == end_; }

private:
    void copy(void* to, qsizetype bytes)
    {
        if (bytes > end_ - at_)
            throw std::runtime_error("packed layouts: cut short");
        std::memcpy(to, at_, size_t(bytes));
        at_ += bytes;
    }
    qint32 take()
    {
        qint32 v;
        copy(&v, sizeof v);
        return v;
    }
    qint32 size()
    {
        const qint32 n = take();
        if (n < 0 || n > end_ - at_)
            throw std::runtime_error("packed layouts: impossible size");
        return n;
    }

    void read(int& v) { v = take(); }
    void read(bool& v) { v = take() != 0; }
    template <class E>
    requires std::is_enum_v<E>
    void read(E& v) { v = E(take()); }
    void read(QString& s)
    {
        const qint32 i = take();
        if (i == kNullString)
            s = QString();
        else if (i >= 0 && i < strings_.size())
            s = strings_[i];
        else
            throw std::runtime_error("packed layouts: unknown text");
    }
    void read(QStringList& list)
    {
        const qint32 i = take();
        if (i < 0 || i >= lists_.size())
            throw std::runtime_error("packed layouts: unknown list");
        list = lists_[i];
    }
    template <class T>
    void read(QList<T>& list)
    {
        const qint32 n = size();
        list.clear();
        list.reserve(n);
        for (qint32 i = 0; i < n; ++i)
            read(list.emplaceBack());
    }
    template <class K, class V>
    void read(QMap<K, V>& map)
    {
        const qint32 n = size();
        map.clear();
        for (qint32 i = 0; i < n; ++i) {
            K key;
            read(key);
            read(map[key]);
        }
    }
    template <class A, class B>
    void read(std::pair<A, B>& pair)
    {
        read(pair.first);
        read(pair.second);
    }
    template <class T>
    void read(std::optional<T>& value)
    {
        bool present = false;
        read(present);
        value.reset();
        if (present)
            read(value.emplace());
    }
    template <class T>
    requires std::is_class_v<T>
    void read(T& record) { Fields(*this, record); }

    const char* at_;
    const char* end_;
    QList<QString> strings_;
    QList<QStringList> lists_;
};

}  // namespace

QByteArray PackLayouts(const LayoutCatalog& catalog)
{
    Writer writer;
    writer(catalog);
    return writer.finish();
}

LayoutCatalog UnpackLayouts(QByteArrayView packed)
{
    Reader reader(packed);
    LayoutCatalog catalog;
    reader(catalog);
    if (!reader.atEnd())
        throw std::runtime_error("packed layouts: bytes left over");
    return catalog;
}
