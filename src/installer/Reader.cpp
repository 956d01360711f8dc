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
    bool atEnd() const { return m_window.atEnd(); }
    bool slide(qsizetype keep, QString* errorText) { return m_window.slide(keep, errorText); }
    void passedUpTo(qsizetype) {}

private:
    Utf16Window& m_window;
};

// How far past a completed tag the text must reach for the tag to be complete in the whole
// text too: the "<" that completes an element text might open "<![CDATA[" or "<!--".
constexpr qsizetype kLookahead = 9;

enum class TagsEnd { Complete, Stopped, ReadFailed };

// Runs the tokenizer's calling protocol over the source and hands every complete tag to
// `handle`, with the positions of its "<" and of where it became complete (in the source's
// text as it stands then); stops early when the handler returns false. When a tag runs into
// the end of a source that is not yet at its end, the source slides to that tag's "<" and the
// tag is parsed again, so the tags are exactly those of the whole text.
template <typename Source, typename Handler>
TagsEnd forEachTag(Source& source, Handler&& handle, QString* errorText = nullptr) {
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
        position = Tokenizer::ParseTag(view, position, name, elementText, attributes, state,
                                       &fromCData, &tagStart);
        const bool settled = state == Tokenizer::Complete && view.size() - position > kLookahead;
        if (!settled && !source.atEnd()) {
            // Nothing before `from` is needed again; before the tag's "<" neither.
            if (!source.slide(tagStart >= 0 ? tagStart : from, errorText))
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

// A tag may carry an attribute more than once: each occurrence is applied in turn, so the last
// one wins. Yields that value with its character references decoded, or nothing when the tag
// does not carry the attribute.
std::optional<QString> attributeValue(const Tokenizer::AttributeList& attributes, QStringView key) {
    for (qsizetype i = attributes.size() - 1; i >= 0; --i) {
        if (attributes[i].sName == key)
            return Escaping::decodeReferences(attributes[i].sValue);
    }
    return std::nullopt;
}

// Sets `field` from the attribute; a tag without it leaves the field as it is.
void readString(const Tokenizer::AttributeList& attributes, QStringView key, QString& field) {
    if (std::optional<QString> value = attributeValue(attributes, key))
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
    qsizetype start; // the "<"
    qsizetype end;   // the ">" of an end or self-closing tag, else the "<" after the text
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

// Where the configuration reader stands. The pointers address elements of the project being
// filled; each is replaced whenever the sequence holding it grows, and cleared with its parent.
class ConfigContext {
public:
    ConfigContext(CFOMOD& project, QString* errorText, ReadReport* report, QStringView text);

    // False once the reading has to stop.
    bool apply(const Tag& tag);
    // After the last tag: completes the report.
    void finish();

private:
    enum class Section { None, RequiredInstalls, InstallSteps, ConditionalInstalls };
    enum class Target { None, StepVisibility, PluginType, Pattern };
    using Reader = void (ConfigContext::*)(const Tag&);

    // The reader of an element, or null for the elements passed over.
    static Reader readerFor(QStringView name);

    // Sections.
    void readRequiredInstallFiles(const Tag&) { m_section = Section::RequiredInstalls; }
    void readInstallSteps(const Tag&) { m_section = Section::InstallSteps; }
    void readConditionalFileInstalls(const Tag&);
    // Title, header image, steps and their visibility.
    void readModuleName(const Tag& tag);
    void readModuleImage(const Tag& tag);
    void readStep(const Tag& tag);
    void readVisible(const Tag&) { m_dependencyTarget = Target::StepVisibility; }
    void readFlagDependency(const Tag& tag);
    void readFileDependency(const Tag& tag);
    void addDependency(const QString& type, const Tag& tag, QStringView nameKey,
                       QStringView valueKey);
    CDependency* appendDependency(const CDependency& dependency);
    void readOperator(const Tag& tag);
    // Groups and plugins.
    void readGroup(const Tag& tag);
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

    // The report, when one is asked for.
    void follow(const Tag& tag);
    void keepLine(const ProjectPlace& place);
    void noteDropped(const QString& message);
    QStringList listNames(const NotKept::ListScope& scope) const;
    NotKept::ListScope listScope(NotKept::Element kind) const;
    int stepIndex() const { return int(m_project.vSteps.size() - 1); }
    int groupIndex() const { return int(m_step->vGroups.size() - 1); }
    int pluginIndex() const { return int(m_group->vPlugins.size() - 1); }
    ProjectPlace pluginPlace(ProjectPlace::List list, int pattern = -1, int entry = -1) const;

    CFOMOD& m_project;
    QString* m_errorText;
    ReadReport* m_report;
    // A name from info.xml wins over the title.
    const bool m_nameFromModule;
    bool m_failed = false;
    Section m_section = Section::None;
    Target m_dependencyTarget = Target::None;
    Target m_typeTarget = Target::None;
    CStep* m_step = nullptr;
    CPluginGroup* m_group = nullptr;
    CPlugin* m_plugin = nullptr;
    CDependencyPattern* m_typePattern = nullptr;
    CConditionalFile* m_conditionalPattern = nullptr;
    // Report state: the text, the line of the tag at hand and its name as written.
    QStringView m_text;
    LineCounter m_lines;
    qsizetype m_line = 0;
    QStringView m_tagName;
    std::optional<NotKept::StructureNotes> m_structure;
};

ConfigContext::ConfigContext(CFOMOD& project, QString* errorText, ReadReport* report,
                             QStringView text)
    : m_project(project), m_errorText(errorText), m_report(report),
      m_nameFromModule(project.sName.isEmpty()), m_text(text), m_lines(text) {
    if (m_report)
        m_structure.emplace(m_report->notKept,
                            [this](const NotKept::ListScope& scope) { return listNames(scope); });
}

ConfigContext::Reader ConfigContext::readerFor(QStringView name) {
    struct Entry {
        QStringView name;
        Reader read;
    };
    // The most frequent elements first.
    static constexpr Entry entries[] = {
        {u"file", &ConfigContext::readFile},
        {u"folder", &ConfigContext::readFolder},
        {u"flag", &ConfigContext::readFlag},
        {u"flagdependency", &ConfigContext::readFlagDependency},
        {u"filedependency", &ConfigContext::readFileDependency},
        {u"dependencies", &ConfigContext::readOperator},
        {u"type", &ConfigContext::readType},
        {u"plugin", &ConfigContext::readPlugin},
        {u"description", &ConfigContext::readDescription},
        {u"image", &ConfigContext::readImage},
        {u"typedescriptor", &ConfigContext::readTypeDescriptor},
        {u"pattern", &ConfigContext::readPattern},
        {u"defaulttype", &ConfigContext::readDefaultType},
        {u"group", &ConfigContext::readGroup},
        {u"installstep", &ConfigContext::readStep},
        {u"visible", &ConfigContext::readVisible},
        {u"modulename", &ConfigContext::readModuleName},
        {u"moduleimage", &ConfigContext::readModuleImage},
        {u"requiredinstallfiles", &ConfigContext::readRequiredInstallFiles},
        {u"installsteps", &ConfigContext::readInstallSteps},
        {u"conditionalfileinstalls", &ConfigContext::readConditionalFileInstalls},
    };
    for (const Entry& entry : entries) {
        if (entry.name == name)
            return entry.read;
    }
    return nullptr;
}

bool ConfigContext::apply(const Tag& tag) {
    if (m_report) {
        follow(tag);
        if (tag.name.isEmpty())
            return true;
    }
    if (const Reader read = readerFor(tag.name))
        (this->*read)(tag);
    return !m_failed;
}

// Keeps the line and the nesting of every tag for the report.
void ConfigContext::follow(const Tag& tag) {
    m_line = m_lines.lineAt(tag.start);
    if (tag.name.isEmpty()) {
        const qsizetype afterOpen = tag.start + 1;
        if (afterOpen < m_text.size() && m_text[afterOpen] == u'/')
            m_structure->close(writtenName(m_text, afterOpen + 1));
        return;
    }
    if (tag.name == u"config")
        m_report->bConfigElement = true;
    m_tagName = writtenName(m_text, tag.start + 1);
    const NotKept::Element kind = NotKept::elementOf(tag.name);
    const bool selfClosing = tag.end < m_text.size() && m_text[tag.end] == u'>';
    m_structure->open(kind, m_tagName, tag.attributes, m_line, selfClosing, listScope(kind));
}

// The list an ordered container holds, where its entries start.
NotKept::ListScope ConfigContext::listScope(NotKept::Element kind) const {
    using NotKept::Element;
    NotKept::ListScope scope;
    if (kind == Element::InstallSteps) {
        scope.list = kind;
        scope.first = m_project.vSteps.size();
    } else if (kind == Element::OptionalFileGroups && m_step) {
        scope.list = kind;
        scope.step = stepIndex();
        scope.first = m_step->vGroups.size();
    } else if (kind == Element::Plugins && m_group) {
        scope.list = kind;
        scope.step = stepIndex();
        scope.group = groupIndex();
        scope.first = m_group->vPlugins.size();
    }
    return scope;
}

QStringList ConfigContext::listNames(const NotKept::ListScope& scope) const {
    QStringList names;
    const auto collect = [&](const auto& list) {
        for (qsizetype i = scope.first; i < list.size(); ++i)
            names.append(list[i].sName);
    };
    if (scope.list == NotKept::Element::InstallSteps)
        collect(m_project.vSteps);
    else if (scope.list == NotKept::Element::OptionalFileGroups)
        collect(m_project.vSteps[scope.step].vGroups);
    else if (scope.list == NotKept::Element::Plugins)
        collect(m_project.vSteps[scope.step].vGroups[scope.group].vPlugins);
    return names;
}

void ConfigContext::keepLine(const ProjectPlace& place) {
    m_report->lines.insert(place, m_line);
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

void ConfigContext::finish() {
    if (m_structure)
        m_structure->finish();
}

// Conditional installs take their dependencies from their own patterns only.
void ConfigContext::readConditionalFileInstalls(const Tag&) {
    m_section = Section::ConditionalInstalls;
    m_dependencyTarget = Target::None;
}

// Installers without info.xml, which mod managers do not need, are named by their title only.
void ConfigContext::readModuleName(const Tag& tag) {
    if (m_nameFromModule)
        m_project.sName = plainText(tag.elementText, tag.fromCData);
}

void ConfigContext::readModuleImage(const Tag& tag) {
    std::optional<QString> path = attributeValue(tag.attributes, u"path");
    if (!path)
        return;
    m_project.sImage = std::move(*path);
    if (m_report)
        keepLine(ProjectPlace{.list = ProjectPlace::List::ModuleImage});
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
    if (m_report)
        keepLine(ProjectPlace{.step = stepIndex()});
}

void ConfigContext::readFlagDependency(const Tag& tag) {
    addDependency(QStringLiteral("flag"), tag, u"flag", u"value");
}

void ConfigContext::readFileDependency(const Tag& tag) {
    addDependency(QStringLiteral("file"), tag, u"file", u"state");
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
    if (!appendDependency(dependency) && m_report)
        noteDropped(QStringLiteral("stands where the project holds no condition: dropped on "
                                   "save"));
}

// Appends to the condition list the context points at; null when there is none. Records its
// line for the report.
CDependency* ConfigContext::appendDependency(const CDependency& dependency) {
    using List = ProjectPlace::List;
    if (m_section == Section::InstallSteps && m_step) {
        if (m_dependencyTarget == Target::StepVisibility) {
            m_step->vVisibility.append(dependency);
            if (m_report)
                keepLine(ProjectPlace{.step = stepIndex(),
                                      .list = List::StepVisibility,
                                      .entry = int(m_step->vVisibility.size() - 1)});
            return &m_step->vVisibility.last();
        }
        if (m_dependencyTarget == Target::Pattern && m_typePattern) {
            m_typePattern->vDependencies.append(dependency);
            if (m_report)
                keepLine(pluginPlace(List::PluginPatterns, int(m_plugin->vPatterns.size() - 1),
                                     int(m_typePattern->vDependencies.size() - 1)));
            return &m_typePattern->vDependencies.last();
        }
    } else if (m_section == Section::ConditionalInstalls && m_conditionalPattern) {
        m_conditionalPattern->vDependencies.append(dependency);
        if (m_report)
            keepLine(ProjectPlace{.list = List::ConditionalInstalls,
                                  .pattern = int(m_project.vConditionalFiles.size() - 1),
                                  .entry = int(m_conditionalPattern->vDependencies.size() - 1)});
        return &m_conditionalPattern->vDependencies.last();
    }
    return nullptr;
}

void ConfigContext::readOperator(const Tag& tag) {
    const std::optional<QString> value = attributeValue(tag.attributes, u"operator");
    if (!value)
        return;
    if (m_section == Section::InstallSteps && m_step) {
        if (m_dependencyTarget == Target::Pattern) {
            if (m_typePattern)
                m_typePattern->sOperator = *value;
        } else if (m_dependencyTarget == Target::StepVisibility) {
            m_step->sOperator = *value;
        }
    }
    if (m_section == Section::ConditionalInstalls && m_conditionalPattern)
        m_conditionalPattern->sOperator = *value;
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
    if (m_report)
        keepLine(ProjectPlace{.step = stepIndex(), .group = groupIndex()});
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
    std::optional<QString> path = attributeValue(tag.attributes, u"path");
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
        if (m_report)
            keepLine(pluginPlace(ProjectPlace::List::PluginPatterns,
                                 int(m_plugin->vPatterns.size() - 1)));
    } else if (m_section == Section::ConditionalInstalls) {
        m_conditionalPattern = &m_project.vConditionalFiles.emplace_back();
        if (m_report)
            keepLine(ProjectPlace{.list = ProjectPlace::List::ConditionalInstalls,
                                  .pattern = int(m_project.vConditionalFiles.size() - 1)});
    }
    m_typeTarget = Target::Pattern;
    m_dependencyTarget = Target::Pattern;
}

void ConfigContext::addFile(const QString& type, const Tag& tag) {
    CFile file;
    file.sType = type;
    readString(tag.attributes, u"source", file.sSource);
    readString(tag.attributes, u"destination", file.sDestination);
    if (!readPriority(tag.attributes, file.iPriority, m_errorText)) {
        m_failed = true;
        return;
    }
    using List = ProjectPlace::List;
    ProjectPlace place;
    switch (m_section) {
    case Section::RequiredInstalls:
        m_project.vRequiredFiles.append(file);
        place = {.list = List::RequiredFiles, .entry = int(m_project.vRequiredFiles.size() - 1)};
        break;
    case Section::InstallSteps:
        if (!m_plugin)
            break;
        m_plugin->vFiles.append(file);
        place = pluginPlace(List::PluginFiles, -1, int(m_plugin->vFiles.size() - 1));
        break;
    case Section::ConditionalInstalls:
        if (!m_conditionalPattern)
            break;
        m_conditionalPattern->vFiles.append(file);
        place = {.list = List::ConditionalInstallFiles,
                 .pattern = int(m_project.vConditionalFiles.size() - 1),
                 .entry = int(m_conditionalPattern->vFiles.size() - 1)};
        break;
    case Section::None:
        break;
    }
    if (!m_report)
        return;
    if (place.entry < 0) {
        noteDropped(QStringLiteral("stands outside any option, required install or conditional "
                                   "install: dropped on save"));
        return;
    }
    keepLine(place);
    m_structure->noteFileAttributes(tag.attributes, m_line, place.list == List::PluginFiles);
}

} // namespace

namespace {

// Hands each complete tag to the configuration reader.
auto applyTo(ConfigContext& context) {
    return [&context](const QString& name, const Tokenizer::AttributeList& attributes,
                      const QString& elementText, bool fromCData, qsizetype start, qsizetype end) {
        return context.apply(Tag{name, attributes, elementText, fromCData, start, end});
    };
}

bool readConfigTextOwned(const QString& text, CFOMOD& project, QString* errorText,
                         ZeroLines* zeroLines, ReadReport* report, bool owned) {
    const QString readable = withoutZeros(text, zeroLines);
    ConfigContext context(project, errorText, report, readable);
    // A report keeps views of the names of the elements still open: nothing is given back.
    const bool complete = forEachTagOf(readable, applyTo(context), owned && !report);
    context.finish();
    return complete;
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
        end = forEachTag(source, applyTo(context), errorText);
    } else {
        // UTF-8 is told from Latin-1 only by the whole file.
        if (!BoundedFile::readRest(device, head, errorText))
            return false;
        const QString text = withoutZeros(Encoding::decodeInstallerBytes(head), zeroLines);
        head = QByteArray();
        WholeText source(text, true);
        end = forEachTag(source, applyTo(context));
    }
    context.finish();
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
