#include "installer/Reader.h"

#include "installer/Encoding.h"
#include "installer/Escaping.h"
#include "installer/NotKept.h"
#include "installer/Tokenizer.h"
#include "installer/UnitScan.h"
#include "installer/Utf16Window.h"
#include "platform/BoundedFile.h"

#include <optional>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace InstallerReader {

namespace {

// `bytes` must outlive `text`: the writer's own format (UTF-16 LE with its mark) is read in
// place, without a converted copy.
bool readFileText(const QString& path, QByteArray& bytes, QString& text, QString* errorText) {
    if (!BoundedFile::read(path, bytes, errorText))
        return false;
    if (Q_BYTE_ORDER == Q_LITTLE_ENDIAN && bytes.startsWith("\xFF\xFE") &&
        quintptr(bytes.constData()) % alignof(char16_t) == 0) {
        text = QString::fromRawData(reinterpret_cast<const QChar*>(bytes.constData()),
                                    bytes.size() / 2);
        return true;
    }
    text = Encoding::decodeInstallerBytes(bytes);
    bytes = QByteArray(); // the converted copy is all that is read
    return true;
}

// The text with every zero character replaced by U+FFFD, which the writer writes for every
// character a file cannot hold; a text without one is returned as it is, without a copy.
QString withoutZeros(const QString& text, ZeroLines* zeroLines) {
    qsizetype at = text.indexOf(QChar(0));
    if (at < 0)
        return text;
    QString replaced = text;
    char16_t* units = reinterpret_cast<char16_t*>(replaced.data());
    qsizetype line = 1;
    qsizetype counted = 0; // units before this one are counted into `line`
    for (; at < replaced.size(); ++at) {
        if (units[at] != 0)
            continue;
        units[at] = 0xFFFD;
        if (!zeroLines)
            continue;
        line += QStringView(units + counted, at - counted).count(u'\n');
        counted = at;
        if (zeroLines->isEmpty() || zeroLines->last() != line)
            zeroLines->append(line);
    }
    return replaced;
}

// Gives the memory of a text the reading owns back to the system as the tokenizer leaves it
// behind, so a large file and the project read from it are not held whole at the same time.
// Only whole pages inside the text go; nothing reads them again (on Linux they would read as
// zeros). Elsewhere it does nothing.
class PassedText {
public:
    explicit PassedText(const QString* owned) : m_owned(owned) {}

    void passedUpTo(qsizetype position) {
#ifdef Q_OS_LINUX
        if (!m_owned || position - m_released < kStep)
            return;
        static const quintptr page = quintptr(sysconf(_SC_PAGESIZE));
        const auto start = quintptr(m_owned->constData() + m_released);
        const auto end = quintptr(m_owned->constData() + position);
        const quintptr first = (start + page - 1) & ~(page - 1);
        const quintptr last = end & ~(page - 1);
        if (last > first)
            madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
        m_released = position;
#else
        Q_UNUSED(position);
#endif
    }

private:
    static constexpr qsizetype kStep = 1 << 20; // characters between two releases
    const QString* m_owned;
    qsizetype m_released = 0;
};

// A whole text as a source of tags: it is all there from the start. With `owned`, its memory
// is given back as it is passed (`owned` must be the text, held by the reading alone).
class WholeText {
public:
    WholeText(const QString& text, bool owned) : m_text(text), m_passed(owned ? &text : nullptr) {}

    QStringView text() const { return m_text; }
    qsizetype droppedLines() const { return 0; }
    bool atEnd() const { return true; }
    bool slide(qsizetype, QString*) { return false; }
    void passedUpTo(qsizetype position) { m_passed.passedUpTo(position); }

private:
    const QString& m_text;
    PassedText m_passed;
};

// A file read piece by piece: its memory is the window's few pieces.
class WindowText {
public:
    explicit WindowText(Utf16Window& window) : m_window(window) {}

    QStringView text() const { return m_window.text(); }
    qsizetype droppedLines() const { return m_droppedLines; }
    bool atEnd() const { return m_window.atEnd(); }
    bool slide(qsizetype keep, QString* errorText) {
        m_droppedLines += UnitScan::count(m_window.text().utf16(), keep, u'\n');
        return m_window.slide(keep, errorText);
    }
    void passedUpTo(qsizetype) {}

private:
    Utf16Window& m_window;
    qsizetype m_droppedLines = 0; // in the units the window dropped
};

// How far past a completed tag the text must reach for the tag to be complete in the whole
// text too: the "<" that completes an element text might open "<![CDATA[" or "<!--".
constexpr qsizetype kLookahead = 9;

enum class TagsEnd { Complete, Stopped, ReadFailed };

// Runs the tokenizer's calling protocol over the source and hands every complete tag to
// `handle`, with the positions of its "<" and of where it became complete (in the source's
// text as it stands then); stops early when the handler returns false. When a tag runs into
// the end of a source that is not yet at its end, the source slides to that tag's "<" and the
// tag is parsed again, so the tags are exactly those of the whole text. With `comments`, it
// holds the comments read with the tag handed (after the end: those after the last tag).
template <typename Source, typename Handler>
TagsEnd forEachTag(Source& source, Handler&& handle, QString* errorText = nullptr,
                   Tokenizer::CommentList* comments = nullptr) {
    Tokenizer::AttributeList attributes;
    QString name;
    QString elementText;
    qint32 state = Tokenizer::Outside;
    bool fromCData = false;
    qsizetype position = 0;
    for (;;) {
        const QStringView view = source.text();
        const qsizetype from = position;
        qsizetype tagStart = -1;
        state = Tokenizer::Outside;
        if (comments)
            comments->clear();
        position = Tokenizer::ParseTag(view, position, name, elementText, attributes, state,
                                       &fromCData, &tagStart, comments);
        const bool settled = state == Tokenizer::Complete && view.size() - position > kLookahead;
        if (!settled && !source.atEnd()) {
            // Nothing before `from` is needed again; before the tag's "<" neither, unless the
            // comments before it are asked for.
            const qsizetype keep = tagStart >= 0 && !comments ? tagStart : from;
            if (!source.slide(keep, errorText))
                return TagsEnd::ReadFailed;
            position = 0;
            continue;
        }
        if (Tokenizer::isEnd(view, position))
            return TagsEnd::Complete;
        if (state == Tokenizer::Complete &&
            !handle(name, attributes, elementText, fromCData, tagStart, position))
            return TagsEnd::Stopped;
        source.passedUpTo(tagStart);
    }
}

template <typename Handler>
bool forEachTagOf(const QString& text, Handler&& handle, bool owned = false) {
    WholeText source(text, owned);
    return forEachTag(source, std::forward<Handler>(handle)) == TagsEnd::Complete;
}

// Element text of a plain field. Character data is literal: it holds no references.
QString plainText(const QString& elementText, bool fromCData) {
    return fromCData ? elementText : Escaping::decodeReferences(elementText);
}

// The two descriptions stay in written form; character data is brought into it so that the
// text is written back well-formed.
QString describedText(const QString& elementText, bool fromCData) {
    return fromCData ? Escaping::normaliseModDescription(elementText) : elementText;
}

// An optionally signed decimal number within the signed 32-bit range, white space around it.
bool parsePriority(QStringView written, qint32& priority) {
    const QStringView v = written.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < v.size() && (v[i] == u'-' || v[i] == u'+')) {
        negative = v[i] == u'-';
        ++i;
    }
    if (i == v.size())
        return false;
    const qint64 limit = negative ? qint64(1) << 31 : (qint64(1) << 31) - 1;
    qint64 value = 0;
    for (; i < v.size(); ++i) {
        const char16_t c = v[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        value = value * 10 + (c - u'0');
        if (value > limit)
            return false;
    }
    priority = qint32(negative ? -value : value);
    return true;
}

// Sets `field` from the attribute; a tag without it leaves the field as it is.
void readString(const Tokenizer::AttributeList& attributes, QStringView key, QString& field) {
    if (std::optional<QString> value = Tokenizer::attributeValue(attributes, key))
        field = std::move(*value);
}

// Unlike a text, every priority a tag carries is converted in turn: any one that is not a
// number stops the reading, even when a later one is.
bool readPriority(const Tokenizer::AttributeList& attributes, qint32& priority,
                  QString* errorText) {
    for (const Tokenizer::Attribute& pair : attributes) {
        if (pair.sName == u"priority" &&
            !parsePriority(Escaping::decodeReferences(pair.sValue), priority)) {
            if (errorText)
                *errorText = QStringLiteral("priority '%1' is not an integer").arg(pair.sValue);
            return false;
        }
    }
    return true;
}

// One complete tag as the tokenizer reports it.
struct Tag {
    const QString& name; // lowered; empty for an end tag
    const Tokenizer::AttributeList& attributes;
    const QString& elementText;
    bool fromCData;
    qsizetype start;        // the "<"
    qsizetype end;          // the ">" of an end or self-closing tag, else the "<" after the text
    QStringView text;       // the source's text the positions count in
    qsizetype droppedLines; // line feeds of the text the source dropped before it
    const Tokenizer::CommentList* comments; // passed over while this tag was read
};

// The line of each position asked for, counting only the text since the position asked
// before: positions must not decrease.
class LineCounter {
public:
    explicit LineCounter(QStringView text) : m_text(text) {}

    qsizetype lineAt(qsizetype position) {
        if (position > m_counted) {
            m_line += UnitScan::count(m_text.utf16() + m_counted, position - m_counted, u'\n');
            m_counted = position;
        }
        return m_line;
    }

private:
    QStringView m_text;
    qsizetype m_counted = 0;
    qsizetype m_line = 1;
};

// The line of a tag, counted anew: for the rare message that needs one without a report.
qsizetype lineOf(const Tag& tag) {
    return 1 + tag.droppedLines + UnitScan::count(tag.text.utf16(), tag.start, u'\n');
}

// The name of a tag as the file spells it: from after "<" (or "</"), white space skipped, to
// white space, "/" or ">".
QStringView writtenName(QStringView text, qsizetype from) {
    while (from < text.size() && text[from].unicode() <= 32)
        ++from;
    qsizetype to = from;
    while (to < text.size()) {
        const char16_t c = text[to].unicode();
        if (c <= 32 || c == u'/' || c == u'>')
            break;
        ++to;
    }
    return text.sliced(from, to - from);
}

bool sameName(QStringView a, QStringView b) {
    return a.size() == b.size() && (a == b || a.compare(b, Qt::CaseInsensitive) == 0);
}

// Managers show a list without an order, or with "Ascending", sorted by name; "Descending"
// the other way; "Explicit" and values they do not know as written.
enum class ListOrder { AsWritten, Ascending, Descending };

ListOrder listOrder(const QString& order) {
    if (order.isEmpty() || order == u"Ascending")
        return ListOrder::Ascending;
    if (order == u"Descending")
        return ListOrder::Descending;
    return ListOrder::AsWritten;
}

// Sorts entries [first, end) of the list by name, stably, letter case ignored. Returns the new
// index of each entry (counted from `first`), or nothing when none moved.
template <typename Entry>
QList<int> sortByName(QList<Entry>& list, qsizetype first, ListOrder order) {
    const qsizetype count = list.size() - first;
    if (order == ListOrder::AsWritten || count < 2)
        return {};
    QList<int> byPosition(count); // the entry that ends at each position
    for (qsizetype i = 0; i < count; ++i)
        byPosition[i] = int(i);
    std::stable_sort(byPosition.begin(), byPosition.end(), [&](int a, int b) {
        const int c =
            QString::compare(list[first + a].sName, list[first + b].sName, Qt::CaseInsensitive);
        return order == ListOrder::Ascending ? c < 0 : c > 0;
    });
    bool moved = false;
    for (qsizetype i = 0; i < count && !moved; ++i)
        moved = byPosition[i] != i;
    if (!moved)
        return {};
    QList<Entry> sorted;
    sorted.reserve(count);
    QList<int> newIndex(count);
    for (qsizetype i = 0; i < count; ++i) {
        sorted.append(std::move(list[first + byPosition[i]]));
        newIndex[byPosition[i]] = int(i);
    }
    for (qsizetype i = 0; i < count; ++i)
        list[first + i] = std::move(sorted[i]);
    return newIndex;
}

// Where the configuration reader stands. The pointers address elements of the project being
// filled; each is replaced whenever the sequence holding it grows, and cleared with its parent.
class ConfigContext {
public:
    ConfigContext(CFOMOD& project, QString* errorText, ReadReport* report, QStringView text);

    // False once the reading has to stop.
    bool apply(const Tag& tag);
    // After the last tag, with the comments that followed it: completes the project and the
    // report.
    void finish(const Tokenizer::CommentList& trailing);

private:
    using Element = FomodFormat::Element;
    enum class Section { None, RequiredInstalls, InstallSteps, ConditionalInstalls };
    enum class Target { None, PluginType, Pattern };
    // The element of the model an open element is, when it is one: where its comments go.
    enum class Holder : quint8 {
        None,
        Project,
        Step,
        Group,
        Plugin,
        Leaf, // a flag, a file, a single condition: the last one read
        TypePattern,
        Conditional,
        ConditionGroup,
    };
    using Reader = void (ConfigContext::*)(const Tag&);

    // An element whose end tag has not come yet.
    struct OpenElement {
        Element kind = Element::Unknown;
        Holder holder = Holder::None;
        bool bListBody = false;       // a `dependencies` that is its `visible`'s own list
        qsizetype conditionLists = 0; // condition lists open when it opened
        qsizetype first = 0;          // ordered lists: where its entries start
        qsizetype places = 0;         // ordered lists: the report's places recorded before it
        QString sUnknownName;         // Unknown: the name as written
    };

    // A list conditions are read into: a root list (a step's visibility, a pattern's,
    // the prerequisites) or a group inside one.
    struct ConditionList {
        QList<CDependency>* list = nullptr;
        CDependency* group = nullptr; // the group holding `list`; null for a root
        ProjectPlace place;           // roots: the place of their entries, list None for none
        bool bVisible = false;        // a step's `visible`
        bool bMergeable = false;      // `visible` without an operator: a first `dependencies`
                                      // inside it is its list
        bool bMerged = false;
        bool bBodyClosed = false;
        std::optional<QString> bodyOperator;
    };

    // The reader of an element, or null for the elements passed over.
    static Reader readerFor(Element kind);

    // Sections.
    void readRequiredInstallFiles(const Tag&) { m_section = Section::RequiredInstalls; }
    void readInstallSteps(const Tag& tag);
    void readConditionalFileInstalls(const Tag&);
    // Title, header image, prerequisites, steps and their visibility.
    void readModuleName(const Tag& tag);
    void readModuleImage(const Tag& tag);
    void readModuleDependencies(const Tag& tag);
    void readStep(const Tag& tag);
    void readVisible(const Tag& tag);
    // Conditions.
    void readFlagDependency(const Tag& tag);
    void readFileDependency(const Tag& tag);
    void readVersionDependency(const Tag& tag);
    void readDependencies(const Tag& tag);
    void addDependency(const QString& type, const Tag& tag, QStringView nameKey,
                       QStringView valueKey);
    bool appendCondition(const CDependency& dependency);
    void wrapClosedBody();
    ConditionList& openConditionList(QList<CDependency>* list, const ProjectPlace& place = {});
    // Groups and plugins.
    void readGroups(const Tag& tag);
    void readGroup(const Tag& tag);
    void readPlugins(const Tag& tag);
    void readPlugin(const Tag& tag);
    void readDescription(const Tag& tag);
    void readImage(const Tag& tag);
    void readFlag(const Tag& tag);
    // Plugin types and type patterns.
    void readTypeDescriptor(const Tag&) { m_typeTarget = Target::PluginType; }
    void readType(const Tag& tag);
    void readDefaultType(const Tag& tag);
    void readPattern(const Tag&);
    // Files of every section.
    void readFile(const Tag& tag) { addFile(QStringLiteral("file"), tag); }
    void readFolder(const Tag& tag) { addFile(QStringLiteral("folder"), tag); }
    void addFile(const QString& type, const Tag& tag);

    // Nesting.
    void openElement(const Tag& tag, Element kind, qsizetype conditionLists);
    void closeElement(QStringView writtenName);
    void closeTop();
    void sortList(const OpenElement& element);
    // A list grew or moved: what pointed into it goes.
    void structureChanged();

    // Comments.
    void takeComments(const Tag& tag, bool before);
    void keepCommentsBefore(Element kind, qsizetype conditionLists);
    void keepCommentsAtEnd(qsizetype index);
    void keepComments(Holder holder, QList<CComment>* target, QStringView at);
    QList<CComment>* commentsOf(const OpenElement& element) const;
    qsizetype holderBelow(qsizetype index) const;
    QString pathFrom(qsizetype holder, qsizetype to) const;

    // The report, when one is asked for.
    void follow(const Tag& tag, Element kind, bool selfClosing);
    void keepLine(const ProjectPlace& place);
    void remapPlaces(const OpenElement& element, const QList<int>& newIndex);
    void noteDropped(const QString& message);
    int stepIndex() const { return int(m_project.vSteps.size() - 1); }
    int groupIndex() const { return int(m_step->vGroups.size() - 1); }
    int pluginIndex() const { return int(m_group->vPlugins.size() - 1); }
    ProjectPlace pluginPlace(ProjectPlace::List list, int pattern = -1, int entry = -1) const;
    bool fail(const QString& message);

    CFOMOD& m_project;
    QString* m_errorText;
    ReadReport* m_report;
    // A name from info.xml wins over the title.
    const bool m_nameFromModule;
    bool m_failed = false;
    Section m_section = Section::None;
    Target m_typeTarget = Target::None;
    CStep* m_step = nullptr;
    CPluginGroup* m_group = nullptr;
    CPlugin* m_plugin = nullptr;
    CDependencyPattern* m_typePattern = nullptr;
    CConditionalFile* m_conditionalPattern = nullptr;
    QList<CComment>* m_leaf = nullptr;
    QList<ConditionList> m_conditions;
    QList<OpenElement> m_open;
    qsizetype m_unknownDepth = 0; // open elements that are not part of the format
    bool m_configClosed = false;
    // Set by a reader that made an element of the model: it holds the comments before it.
    Holder m_made = Holder::None;
    bool m_madeListBody = false; // set by the reader of a `dependencies` that is a visible's list
    QList<CComment> m_pending;   // comments waiting for the tag they stand before
    // Report state: the text, the line of the tag at hand and its name as written.
    QStringView m_text;
    LineCounter m_lines;
    qsizetype m_line = 0;
    QStringView m_tagName;
    std::optional<NotKept::StructureNotes> m_structure;
    QList<ProjectPlace> m_places; // every place recorded, in order, while ordered lists are open
    // Elements nested deeper than this are read as if they had no content, and conditions
    // nested deeper than kMaxConditionDepth fail the reading.
    static constexpr qsizetype kMaxDepth = 1024;
    static constexpr qsizetype kMaxConditionDepth = 256;
};

ConfigContext::ConfigContext(CFOMOD& project, QString* errorText, ReadReport* report,
                             QStringView text)
    : m_project(project), m_errorText(errorText), m_report(report),
      m_nameFromModule(project.sName.isEmpty()), m_text(text), m_lines(text) {
    if (m_report)
        m_structure.emplace(m_report->notKept);
}

ConfigContext::Reader ConfigContext::readerFor(Element kind) {
    switch (kind) {
    case Element::File:
        return &ConfigContext::readFile;
    case Element::Folder:
        return &ConfigContext::readFolder;
    case Element::Flag:
        return &ConfigContext::readFlag;
    case Element::FlagDependency:
        return &ConfigContext::readFlagDependency;
    case Element::FileDependency:
        return &ConfigContext::readFileDependency;
    case Element::GameDependency:
    case Element::FommDependency:
    case Element::FoseDependency:
    case Element::NvseDependency:
    case Element::SkseDependency:
    case Element::F4seDependency:
        return &ConfigContext::readVersionDependency;
    case Element::Dependencies:
        return &ConfigContext::readDependencies;
    case Element::Type:
        return &ConfigContext::readType;
    case Element::Plugin:
        return &ConfigContext::readPlugin;
    case Element::Plugins:
        return &ConfigContext::readPlugins;
    case Element::Description:
        return &ConfigContext::readDescription;
    case Element::Image:
        return &ConfigContext::readImage;
    case Element::TypeDescriptor:
        return &ConfigContext::readTypeDescriptor;
    case Element::Pattern:
        return &ConfigContext::readPattern;
    case Element::DefaultType:
        return &ConfigContext::readDefaultType;
    case Element::Group:
        return &ConfigContext::readGroup;
    case Element::OptionalFileGroups:
        return &ConfigContext::readGroups;
    case Element::InstallStep:
        return &ConfigContext::readStep;
    case Element::Visible:
        return &ConfigContext::readVisible;
    case Element::ModuleName:
        return &ConfigContext::readModuleName;
    case Element::ModuleImage:
        return &ConfigContext::readModuleImage;
    case Element::ModuleDependencies:
        return &ConfigContext::readModuleDependencies;
    case Element::RequiredInstallFiles:
        return &ConfigContext::readRequiredInstallFiles;
    case Element::InstallSteps:
        return &ConfigContext::readInstallSteps;
    case Element::ConditionalFileInstalls:
        return &ConfigContext::readConditionalFileInstalls;
    default:
        return nullptr;
    }
}

bool ConfigContext::apply(const Tag& tag) {
    if (tag.name.isEmpty()) {
        const qsizetype afterOpen = tag.start + 1;
        const bool endTag = afterOpen < tag.text.size() && tag.text[afterOpen] == u'/';
        const QStringView name = endTag ? writtenName(tag.text, afterOpen + 1) : QStringView();
        if (m_report) {
            m_line = m_lines.lineAt(tag.start);
            if (endTag)
                m_structure->close(name);
        }
        takeComments(tag, true);
        if (endTag)
            closeElement(name);
        takeComments(tag, false);
        return !m_failed;
    }
    if (tag.name.startsWith(u'?') || tag.name.startsWith(u'!'))
        return true; // the declaration, a document type
    const Element kind = FomodFormat::elementOf(tag.name);
    const bool selfClosing = tag.end < tag.text.size() && tag.text[tag.end] == u'>';
    if (m_report)
        follow(tag, kind, selfClosing);
    takeComments(tag, true);
    m_made = kind == Element::Config ? Holder::Project : Holder::None;
    m_madeListBody = false;
    const qsizetype conditionLists = m_conditions.size();
    if (const Reader read = readerFor(kind))
        (this->*read)(tag);
    if (m_failed)
        return false;
    keepCommentsBefore(kind, conditionLists);
    if (selfClosing) {
        if (m_conditions.size() > conditionLists)
            m_conditions.resize(conditionLists);
    } else {
        openElement(tag, kind, conditionLists);
    }
    takeComments(tag, false);
    return true;
}

bool ConfigContext::fail(const QString& message) {
    if (m_errorText)
        *m_errorText = message;
    m_failed = true;
    return false;
}

// Nesting.

void ConfigContext::openElement(const Tag& tag, Element kind, qsizetype conditionLists) {
    if (m_open.size() >= kMaxDepth)
        return;
    OpenElement& element = m_open.emplace_back();
    element.kind = kind;
    element.holder = m_made;
    element.bListBody = m_madeListBody;
    element.conditionLists = conditionLists;
    element.places = m_places.size();
    if (kind == Element::InstallSteps)
        element.first = m_project.vSteps.size();
    else if (kind == Element::OptionalFileGroups && m_step)
        element.first = m_step->vGroups.size();
    else if (kind == Element::Plugins && m_group)
        element.first = m_group->vPlugins.size();
    if (kind == Element::Unknown) {
        element.sUnknownName = writtenName(tag.text, tag.start + 1).toString();
        ++m_unknownDepth;
    }
}

void ConfigContext::closeElement(QStringView name) {
    for (qsizetype i = m_open.size() - 1; i >= 0; --i) {
        const OpenElement& element = m_open[i];
        const QStringView known = FomodFormat::writtenName(element.kind);
        if (!sameName(element.kind == Element::Unknown ? QStringView(element.sUnknownName) : known,
                      name))
            continue;
        while (m_open.size() > i + 1)
            closeTop();
        if (m_unknownDepth == 0)
            keepCommentsAtEnd(i);
        closeTop();
        return;
    }
}

void ConfigContext::closeTop() {
    const OpenElement element = m_open.takeLast();
    if (element.kind == Element::Unknown)
        --m_unknownDepth;
    if (m_conditions.size() > element.conditionLists)
        m_conditions.resize(element.conditionLists);
    if (element.bListBody && !m_conditions.isEmpty() && m_conditions.last().bVisible)
        m_conditions.last().bBodyClosed = true;
    if (element.kind == Element::Config)
        m_configClosed = true;
    sortList(element);
}

// The lists the file orders by name are held in the order shown.
void ConfigContext::sortList(const OpenElement& element) {
    QList<int> newIndex;
    switch (element.kind) {
    case Element::InstallSteps:
        newIndex = sortByName(m_project.vSteps, element.first, listOrder(m_project.sStepOrder));
        if (!newIndex.isEmpty()) {
            remapPlaces(element, newIndex);
            m_step = nullptr;
            m_group = nullptr;
        }
        break;
    case Element::OptionalFileGroups:
        if (m_step && element.first <= m_step->vGroups.size())
            newIndex = sortByName(m_step->vGroups, element.first, listOrder(m_step->sGroupOrder));
        if (!newIndex.isEmpty()) {
            remapPlaces(element, newIndex);
            m_group = nullptr;
        }
        break;
    case Element::Plugins:
        if (m_group && element.first <= m_group->vPlugins.size())
            newIndex =
                sortByName(m_group->vPlugins, element.first, listOrder(m_group->sPluginOrder));
        break;
    default:
        return;
    }
    if (newIndex.isEmpty())
        return;
    if (element.kind == Element::Plugins)
        remapPlaces(element, newIndex);
    m_plugin = nullptr;
    m_typePattern = nullptr;
    structureChanged();
}

void ConfigContext::structureChanged() {
    m_conditions.clear();
    m_leaf = nullptr;
}

// Comments.

bool holdsText(FomodFormat::Element kind) {
    using FomodFormat::Element;
    return kind == Element::ModuleName || kind == Element::Description || kind == Element::Flag;
}

// The comments read with the tag: those `before` it, or those in its element text after it,
// which stand before the next tag (inside a text, they are not kept).
void ConfigContext::takeComments(const Tag& tag, bool before) {
    if (!tag.comments)
        return;
    for (const Tokenizer::Comment& comment : *tag.comments) {
        if ((comment.position < tag.start) != before || m_unknownDepth > 0)
            continue;
        if (!before && holdsText(FomodFormat::elementOf(tag.name)))
            continue;
        m_pending.append(CComment{comment.sText, QString()});
    }
}

void ConfigContext::keepCommentsBefore(Element kind, qsizetype conditionLists) {
    if (m_pending.isEmpty() || m_unknownDepth > 0)
        return;
    if (kind == Element::Unknown)
        return; // they stand before what follows it
    if (m_made != Holder::None) {
        OpenElement made;
        made.holder = m_made;
        made.conditionLists = conditionLists;
        keepComments(m_made, commentsOf(made), FomodFormat::Anchor::kBefore);
        return;
    }
    const qsizetype holder = holderBelow(m_open.size());
    if (holder < 0) {
        if (m_configClosed)
            keepComments(Holder::Project, &m_project.vComments, FomodFormat::Anchor::kAfterConfig);
        return;
    }
    keepComments(m_open[holder].holder, commentsOf(m_open[holder]),
                 pathFrom(holder, m_open.size()) + FomodFormat::writtenName(kind).toString());
}

void ConfigContext::keepCommentsAtEnd(qsizetype index) {
    if (m_pending.isEmpty())
        return;
    const OpenElement& element = m_open[index];
    if (element.holder != Holder::None) {
        keepComments(element.holder, commentsOf(element), FomodFormat::Anchor::kEnd);
        return;
    }
    const qsizetype holder = holderBelow(index);
    if (holder >= 0)
        keepComments(m_open[holder].holder, commentsOf(m_open[holder]),
                     pathFrom(holder, index + 1));
}

// The open element that holds the comments of the elements from `index` on, or -1.
qsizetype ConfigContext::holderBelow(qsizetype index) const {
    for (qsizetype i = index - 1; i >= 0; --i) {
        if (m_open[i].holder != Holder::None)
            return i;
    }
    return -1;
}

// The names of the open elements after `holder` and before `to`, each followed by "/".
QString ConfigContext::pathFrom(qsizetype holder, qsizetype to) const {
    QString path;
    for (qsizetype i = holder + 1; i < to; ++i) {
        path += FomodFormat::writtenName(m_open[i].kind);
        path += u'/';
    }
    return path;
}

// Keeps the waiting comments in `target`, the comments of `holder`, at the place the writer
// writes for `at`.
void ConfigContext::keepComments(Holder holder, QList<CComment>* target, QStringView at) {
    if (target) {
        using FomodFormat::Anchor::Holder;
        static constexpr Holder kHolders[] = {
            Holder::Project,  Holder::Project, Holder::Step,        Holder::Group,
            Holder::Plugin,   Holder::Entry,   Holder::TypePattern, Holder::ConditionalInstall,
            Holder::Condition};
        const QString kept = FomodFormat::Anchor::kept(kHolders[int(holder)], at).toString();
        for (CComment& comment : m_pending) {
            // The writer's own first line is written anew by every save.
            if (target == &m_project.vComments && kept.isEmpty() &&
                comment.sText.startsWith(u" Created with Quarvel "))
                continue;
            comment.sAt = kept;
            target->append(std::move(comment));
        }
    }
    m_pending.clear();
}

QList<CComment>* ConfigContext::commentsOf(const OpenElement& element) const {
    switch (element.holder) {
    case Holder::None:
        return nullptr;
    case Holder::Project:
        return &m_project.vComments;
    case Holder::Step:
        return m_step ? &m_step->vComments : nullptr;
    case Holder::Group:
        return m_group ? &m_group->vComments : nullptr;
    case Holder::Plugin:
        return m_plugin ? &m_plugin->vComments : nullptr;
    case Holder::Leaf:
        return m_leaf;
    case Holder::TypePattern:
        return m_typePattern ? &m_typePattern->vComments : nullptr;
    case Holder::Conditional:
        return m_conditionalPattern ? &m_conditionalPattern->vComments : nullptr;
    case Holder::ConditionGroup: {
        // The list the group opened is the one after those open before it.
        const qsizetype index = element.conditionLists;
        if (index >= 0 && index < m_conditions.size() && m_conditions[index].group)
            return &m_conditions[index].group->vComments;
        return nullptr;
    }
    }
    return nullptr;
}

void ConfigContext::finish(const Tokenizer::CommentList& trailing) {
    for (const Tokenizer::Comment& comment : trailing) {
        if (m_unknownDepth == 0)
            m_pending.append(CComment{comment.sText, QString()});
    }
    if (!m_pending.isEmpty())
        keepComments(Holder::Project, &m_project.vComments,
                     m_configClosed ? FomodFormat::Anchor::kAfterConfig
                                    : FomodFormat::Anchor::kEnd);
    if (m_structure)
        m_structure->finish();
}

// The report.

// Keeps the line and the nesting of every start tag for the report.
void ConfigContext::follow(const Tag& tag, Element kind, bool selfClosing) {
    m_line = m_lines.lineAt(tag.start);
    if (kind == Element::Config)
        m_report->bConfigElement = true;
    m_tagName = writtenName(m_text, tag.start + 1);
    m_structure->open(kind, m_tagName, m_line, selfClosing);
}

void ConfigContext::keepLine(const ProjectPlace& place) {
    m_report->lines.insert(place, m_line);
    m_places.append(place);
}

// The entries of a sorted list moved: their places, and those of everything inside them, follow.
void ConfigContext::remapPlaces(const OpenElement& element, const QList<int>& newIndex) {
    if (!m_report)
        return;
    const qsizetype first = element.first;
    const qsizetype end = first + newIndex.size();
    const int step = element.kind == Element::InstallSteps ? -1 : stepIndex();
    const int group = element.kind == Element::Plugins ? groupIndex() : -1;
    QList<std::pair<ProjectPlace, qsizetype>> moved;
    for (qsizetype i = element.places; i < m_places.size(); ++i) {
        ProjectPlace& place = m_places[i];
        int* index = nullptr;
        if (element.kind == Element::InstallSteps)
            index = &place.step;
        else if (element.kind == Element::OptionalFileGroups && place.step == step)
            index = &place.group;
        else if (element.kind == Element::Plugins && place.step == step && place.group == group)
            index = &place.plugin;
        if (!index || *index < first || *index >= end)
            continue;
        const auto line = m_report->lines.constFind(place);
        const bool recorded = line != m_report->lines.constEnd();
        const qsizetype lineNumber = recorded ? *line : 0;
        if (recorded)
            m_report->lines.erase(line);
        *index = int(first + newIndex[*index - first]);
        if (recorded)
            moved.append({place, lineNumber});
    }
    for (const auto& [place, line] : moved)
        m_report->lines.insert(place, line);
}

void ConfigContext::noteDropped(const QString& message) {
    m_structure->noteDropped(m_line, m_tagName, message);
}

ProjectPlace ConfigContext::pluginPlace(ProjectPlace::List list, int pattern, int entry) const {
    ProjectPlace place;
    place.step = stepIndex();
    place.group = groupIndex();
    place.plugin = pluginIndex();
    place.list = list;
    place.pattern = pattern;
    place.entry = entry;
    return place;
}

// Readers.

void ConfigContext::readInstallSteps(const Tag& tag) {
    m_section = Section::InstallSteps;
    m_project.sStepOrder = Tokenizer::attributeValue(tag.attributes, u"order").value_or(QString());
}

// Conditional installs take their dependencies from their own patterns only.
void ConfigContext::readConditionalFileInstalls(const Tag&) {
    m_section = Section::ConditionalInstalls;
}

// Installers without info.xml, which mod managers do not need, are named by their title only;
// a title other than the name is the installer's own.
void ConfigContext::readModuleName(const Tag& tag) {
    QString title = plainText(tag.elementText, tag.fromCData);
    if (m_nameFromModule)
        m_project.sName = std::move(title);
    else if (title != m_project.sName)
        m_project.sTitle = std::move(title);
    readString(tag.attributes, u"position", m_project.sTitlePosition);
    readString(tag.attributes, u"colour", m_project.sTitleColour);
}

void ConfigContext::readModuleImage(const Tag& tag) {
    readString(tag.attributes, u"showimage", m_project.sShowImage);
    readString(tag.attributes, u"showfade", m_project.sShowFade);
    readString(tag.attributes, u"height", m_project.sImageHeight);
    std::optional<QString> path = Tokenizer::attributeValue(tag.attributes, u"path");
    if (!path)
        return;
    m_project.sImage = std::move(*path);
    if (m_report)
        keepLine(ProjectPlace{.list = ProjectPlace::List::ModuleImage});
}

void ConfigContext::readModuleDependencies(const Tag& tag) {
    readString(tag.attributes, u"operator", m_project.sModuleOperator);
    openConditionList(&m_project.vModuleDependencies);
}

void ConfigContext::readStep(const Tag& tag) {
    // Named by the index of the step before it, counted from -1 in this reading.
    const qsizetype previous = m_step ? m_project.vSteps.size() - 1 : -1;
    CStep step(QStringLiteral("Step") + QString::number(previous + 1));
    readString(tag.attributes, u"name", step.sName);
    m_project.vSteps.append(step);
    m_step = &m_project.vSteps.last();
    m_group = nullptr;
    m_plugin = nullptr;
    m_typePattern = nullptr;
    structureChanged();
    m_made = Holder::Step;
    if (m_report)
        keepLine(ProjectPlace{.step = stepIndex()});
}

// `visible` holds the step's conditions, joined by its operator; a first `dependencies` in a
// `visible` without one is the list written out (the usual form).
void ConfigContext::readVisible(const Tag& tag) {
    if (m_section != Section::InstallSteps || !m_step)
        return;
    const std::optional<QString> op = Tokenizer::attributeValue(tag.attributes, u"operator");
    if (op)
        m_step->sOperator = *op;
    ConditionList& visible = openConditionList(
        &m_step->vVisibility,
        ProjectPlace{.step = stepIndex(), .list = ProjectPlace::List::StepVisibility});
    visible.bVisible = true;
    visible.bMergeable = !op;
}

ConfigContext::ConditionList& ConfigContext::openConditionList(QList<CDependency>* list,
                                                               const ProjectPlace& place) {
    // A root list (every list but a group's own) never stands inside another. In a broken file
    // one may open before the lists above it closed: those go, since growing the new root could
    // move the groups they point into.
    const bool groupList = !m_conditions.isEmpty() && !m_conditions.last().list->isEmpty() &&
                           list == &m_conditions.last().list->last().vDependencies;
    if (!groupList)
        m_conditions.clear();
    ConditionList& opened = m_conditions.emplace_back();
    opened.list = list;
    opened.place = place;
    m_leaf = nullptr;
    return opened;
}

// A pattern's list without an operator joins its conditions with the format's default.
void ConfigContext::readDependencies(const Tag& tag) {
    static const QString kAnd = QStringLiteral("And");
    const std::optional<QString> op = Tokenizer::attributeValue(tag.attributes, u"operator");
    const OpenElement* parent = m_open.isEmpty() ? nullptr : &m_open.last();
    if (parent && parent->kind == Element::Pattern) {
        // A pattern's own list, with its operator.
        if (m_section == Section::InstallSteps && m_typePattern) {
            m_typePattern->sOperator = op.value_or(kAnd);
            openConditionList(&m_typePattern->vDependencies,
                              pluginPlace(ProjectPlace::List::PluginPatterns,
                                          int(m_plugin->vPatterns.size() - 1)));
        } else if (m_section == Section::ConditionalInstalls && m_conditionalPattern) {
            m_conditionalPattern->sOperator = op.value_or(kAnd);
            openConditionList(&m_conditionalPattern->vDependencies,
                              ProjectPlace{.list = ProjectPlace::List::ConditionalInstalls,
                                           .pattern = int(m_project.vConditionalFiles.size() - 1)});
        }
        return;
    }
    if (m_conditions.isEmpty())
        return;
    ConditionList& top = m_conditions.last();
    if (top.bVisible && top.bMergeable && !top.bMerged && top.list->isEmpty() && parent &&
        parent->kind == Element::Visible) {
        top.bMerged = true;
        top.bodyOperator = op;
        if (op)
            m_step->sOperator = *op;
        m_madeListBody = true;
        return;
    }
    if (m_conditions.size() > kMaxConditionDepth) {
        fail(QStringLiteral("conditions nested deeper than %1 levels at line %2")
                 .arg(kMaxConditionDepth)
                 .arg(m_report ? m_line : lineOf(tag)));
        return;
    }
    CDependency group;
    group.sType = QStringLiteral("group");
    group.sOperator = op.value_or(QString());
    if (!appendCondition(group))
        return;
    CDependency* added = &m_conditions.last().list->last();
    openConditionList(&added->vDependencies).group = added;
    m_made = Holder::ConditionGroup;
}

void ConfigContext::readFlagDependency(const Tag& tag) {
    addDependency(QStringLiteral("flag"), tag, u"flag", u"value");
}

void ConfigContext::readFileDependency(const Tag& tag) {
    addDependency(QStringLiteral("file"), tag, u"file", u"state");
}

void ConfigContext::readVersionDependency(const Tag& tag) {
    CDependency dependency;
    dependency.sType = FomodFormat::versionType(FomodFormat::elementOf(tag.name)).toString();
    readString(tag.attributes, u"version", dependency.sValue);
    if (appendCondition(dependency))
        m_made = Holder::Leaf;
    else if (m_report)
        noteDropped(QStringLiteral("stands where the project holds no condition: dropped on "
                                   "save"));
}

void ConfigContext::addDependency(const QString& type, const Tag& tag, QStringView nameKey,
                                  QStringView valueKey) {
    // The extra pair the tokenizer adds at a closing ">" counts here.
    if (tag.attributes.size() < 2) {
        if (m_report)
            noteDropped(QStringLiteral("has fewer than two attributes and is not read: dropped on "
                                       "save, so the condition no longer tests it"));
        return;
    }
    CDependency dependency;
    dependency.sType = type;
    readString(tag.attributes, nameKey, dependency.sName);
    readString(tag.attributes, valueKey, dependency.sValue);
    if (appendCondition(dependency))
        m_made = Holder::Leaf;
    else if (m_report)
        noteDropped(QStringLiteral("stands where the project holds no condition: dropped on "
                                   "save"));
}

// Appends to the innermost open condition list; false when there is none. Records the line of
// an entry of a root list for the report.
bool ConfigContext::appendCondition(const CDependency& dependency) {
    if (m_conditions.isEmpty())
        return false;
    if (m_conditions.last().bMerged && m_conditions.last().bBodyClosed)
        wrapClosedBody();
    ConditionList& top = m_conditions.last();
    top.list->append(dependency);
    m_leaf = &top.list->last().vComments;
    if (m_report && !top.group && top.place.list != ProjectPlace::List::None) {
        ProjectPlace place = top.place;
        place.entry = int(top.list->size() - 1);
        keepLine(place);
    }
    return true;
}

// A condition after the `dependencies` taken for a visible's own list: that one was a group.
void ConfigContext::wrapClosedBody() {
    ConditionList& visible = m_conditions.last();
    CDependency group;
    group.sType = QStringLiteral("group");
    group.sOperator = visible.bodyOperator.value_or(QString());
    group.vDependencies = std::move(*visible.list);
    *visible.list = {group};
    m_step->sOperator = QStringLiteral("And");
    visible.bMerged = false;
    visible.bMergeable = false;
}

void ConfigContext::readGroups(const Tag& tag) {
    if (m_step)
        m_step->sGroupOrder =
            Tokenizer::attributeValue(tag.attributes, u"order").value_or(QString());
}

void ConfigContext::readGroup(const Tag& tag) {
    if (!m_step) {
        if (m_report)
            noteDropped(QStringLiteral("stands outside any step: dropped on save"));
        return;
    }
    CPluginGroup& group = m_step->vGroups.emplace_back();
    readString(tag.attributes, u"name", group.sName);
    readString(tag.attributes, u"type", group.sType);
    m_group = &group;
    m_plugin = nullptr;
    m_typePattern = nullptr;
    structureChanged();
    m_made = Holder::Group;
    if (m_report)
        keepLine(ProjectPlace{.step = stepIndex(), .group = groupIndex()});
}

void ConfigContext::readPlugins(const Tag& tag) {
    if (m_group)
        m_group->sPluginOrder =
            Tokenizer::attributeValue(tag.attributes, u"order").value_or(QString());
}

void ConfigContext::readPlugin(const Tag& tag) {
    if (!m_group) {
        if (m_report)
            noteDropped(QStringLiteral("stands outside any group: dropped on save"));
        return;
    }
    CPlugin& plugin = m_group->vPlugins.emplace_back();
    readString(tag.attributes, u"name", plugin.sName);
    m_plugin = &plugin;
    m_typePattern = nullptr;
    structureChanged();
    m_made = Holder::Plugin;
    if (m_report)
        keepLine(pluginPlace(ProjectPlace::List::None));
}

void ConfigContext::readDescription(const Tag& tag) {
    if (m_plugin)
        m_plugin->sDescription += describedText(tag.elementText, tag.fromCData);
    else if (m_report)
        noteDropped(QStringLiteral("stands outside any option: dropped on save"));
}

void ConfigContext::readImage(const Tag& tag) {
    if (!m_plugin) {
        if (m_report)
            noteDropped(QStringLiteral("stands outside any option: dropped on save"));
        return;
    }
    std::optional<QString> path = Tokenizer::attributeValue(tag.attributes, u"path");
    if (!path)
        return;
    m_plugin->sImage = std::move(*path);
    if (m_report)
        keepLine(pluginPlace(ProjectPlace::List::PluginImage));
}

void ConfigContext::readFlag(const Tag& tag) {
    if (!m_plugin) {
        if (m_report)
            noteDropped(QStringLiteral("stands outside any option: dropped on save"));
        return;
    }
    CCondition condition;
    readString(tag.attributes, u"name", condition.sName);
    condition.sValue = plainText(tag.elementText, tag.fromCData);
    m_plugin->vConditionFlags.append(condition);
    m_leaf = &m_plugin->vConditionFlags.last().vComments;
    m_made = Holder::Leaf;
    if (m_report)
        keepLine(pluginPlace(ProjectPlace::List::PluginFlags, -1,
                             int(m_plugin->vConditionFlags.size() - 1)));
}

void ConfigContext::readType(const Tag& tag) {
    if (!m_step)
        return;
    if (m_typeTarget == Target::PluginType && m_plugin)
        readString(tag.attributes, u"name", m_plugin->sType);
    else if (m_typeTarget == Target::Pattern && m_typePattern)
        readString(tag.attributes, u"name", m_typePattern->sType);
}

// The plugin's own type, written here when it has type patterns.
void ConfigContext::readDefaultType(const Tag& tag) {
    if (m_plugin)
        readString(tag.attributes, u"name", m_plugin->sType);
}

void ConfigContext::readPattern(const Tag&) {
    if (m_section == Section::InstallSteps && m_plugin) {
        m_typePattern = &m_plugin->vPatterns.emplace_back();
        structureChanged();
        m_made = Holder::TypePattern;
        if (m_report)
            keepLine(pluginPlace(ProjectPlace::List::PluginPatterns,
                                 int(m_plugin->vPatterns.size() - 1)));
    } else if (m_section == Section::ConditionalInstalls) {
        m_conditionalPattern = &m_project.vConditionalFiles.emplace_back();
        structureChanged();
        m_made = Holder::Conditional;
        if (m_report)
            keepLine(ProjectPlace{.list = ProjectPlace::List::ConditionalInstalls,
                                  .pattern = int(m_project.vConditionalFiles.size() - 1)});
    }
    m_typeTarget = Target::Pattern;
}

// Every manager installs an entry without a destination to its source's own path.
void ConfigContext::addFile(const QString& type, const Tag& tag) {
    CFile file;
    file.sType = type;
    readString(tag.attributes, u"source", file.sSource);
    if (std::optional<QString> destination =
            Tokenizer::attributeValue(tag.attributes, u"destination"))
        file.sDestination = std::move(*destination);
    else
        file.sDestination = file.sSource;
    readString(tag.attributes, u"alwaysinstall", file.sAlwaysInstall);
    readString(tag.attributes, u"installifusable", file.sInstallIfUsable);
    if (!readPriority(tag.attributes, file.iPriority, m_errorText)) {
        m_failed = true;
        return;
    }
    using List = ProjectPlace::List;
    ProjectPlace place;
    QList<CFile>* files = nullptr;
    switch (m_section) {
    case Section::RequiredInstalls:
        files = &m_project.vRequiredFiles;
        place = {.list = List::RequiredFiles, .entry = int(files->size())};
        break;
    case Section::InstallSteps:
        if (!m_plugin)
            break;
        files = &m_plugin->vFiles;
        place = pluginPlace(List::PluginFiles, -1, int(files->size()));
        break;
    case Section::ConditionalInstalls:
        if (!m_conditionalPattern)
            break;
        files = &m_conditionalPattern->vFiles;
        place = {.list = List::ConditionalInstallFiles,
                 .pattern = int(m_project.vConditionalFiles.size() - 1),
                 .entry = int(files->size())};
        break;
    case Section::None:
        break;
    }
    if (files) {
        files->append(file);
        m_leaf = &files->last().vComments;
        m_made = Holder::Leaf;
    }
    if (!m_report)
        return;
    if (!files) {
        noteDropped(QStringLiteral("stands outside any option, required install or conditional "
                                   "install: dropped on save"));
        return;
    }
    keepLine(place);
}

} // namespace

namespace {

// Hands each complete tag of the source, with the comments before it, to the configuration
// reader, and then those after the last one.
template <typename Source>
TagsEnd readConfigTags(Source& source, ConfigContext& context, QString* errorText) {
    Tokenizer::CommentList comments;
    const auto apply = [&](const QString& name, const Tokenizer::AttributeList& attributes,
                           const QString& elementText, bool fromCData, qsizetype start,
                           qsizetype end) {
        return context.apply(Tag{name, attributes, elementText, fromCData, start, end,
                                 source.text(), source.droppedLines(), &comments});
    };
    const TagsEnd end = forEachTag(source, apply, errorText, &comments);
    context.finish(end == TagsEnd::Complete ? comments : Tokenizer::CommentList());
    return end;
}

bool readConfigTextOwned(const QString& text, CFOMOD& project, QString* errorText,
                         ZeroLines* zeroLines, ReadReport* report, bool owned) {
    const QString readable = withoutZeros(text, zeroLines);
    ConfigContext context(project, errorText, report, readable);
    // A report keeps views of the names of the elements still open: nothing is given back.
    WholeText source(readable, owned && !report);
    return readConfigTags(source, context, errorText) == TagsEnd::Complete;
}

// The first bytes of a file, enough to tell its encoding.
bool readHead(QIODevice& device, QByteArray& head, QString* errorText) {
    constexpr qsizetype kHeadBytes = 3;
    head.resize(kHeadBytes);
    qsizetype total = 0;
    while (total < kHeadBytes) {
        const qint64 got = device.read(head.data() + total, kHeadBytes - total);
        if (got < 0) {
            if (errorText)
                *errorText = QStringLiteral("cannot be read: ") + device.errorString();
            return false;
        }
        if (got == 0)
            break;
        total += got;
    }
    head.truncate(total);
    return true;
}

} // namespace

bool readConfigText(const QString& text, CFOMOD& project, QString* errorText, ZeroLines* zeroLines,
                    ReadReport* report) {
    return readConfigTextOwned(text, project, errorText, zeroLines, report, false);
}

bool readConfigDevice(QIODevice& device, CFOMOD& project, QString* errorText, ZeroLines* zeroLines,
                      qsizetype pieceUnits) {
    QByteArray head;
    if (!readHead(device, head, errorText))
        return false;
    const Encoding::Form form = Encoding::installerForm(head);
    ConfigContext context(project, errorText, nullptr, {});
    TagsEnd end = TagsEnd::Complete;
    if (form.kind == Encoding::Form::Utf16LE || form.kind == Encoding::Form::Utf16BE) {
        Utf16Window window(device, head, form.kind == Encoding::Form::Utf16BE, form.markBytes,
                           BoundedFile::kMaxBytes, zeroLines, pieceUnits);
        WindowText source(window);
        end = readConfigTags(source, context, errorText);
    } else {
        // UTF-8 is told from Latin-1 only by the whole file.
        if (!BoundedFile::readRest(device, head, errorText))
            return false;
        const QString text = withoutZeros(Encoding::decodeInstallerBytes(head), zeroLines);
        head = QByteArray();
        WholeText source(text, true);
        end = readConfigTags(source, context, errorText);
    }
    return end == TagsEnd::Complete;
}

bool readConfigFile(const QString& path, CFOMOD& project, QString* errorText, ZeroLines* zeroLines,
                    ReadReport* report) {
    if (!report) {
        QFile file;
        return BoundedFile::open(path, file, errorText) &&
               readConfigDevice(file, project, errorText, zeroLines);
    }
    // The report keeps views into the text, so it is read whole.
    QByteArray bytes;
    QString text;
    if (!readFileText(path, bytes, text, errorText))
        return false;
    return readConfigTextOwned(text, project, errorText, zeroLines, report, true);
}

} // namespace InstallerReader
