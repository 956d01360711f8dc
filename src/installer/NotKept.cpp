#include "installer/NotKept.h"

#include "installer/Escaping.h"

#include <algorithm>
#include <optional>

namespace NotKept {

namespace {

struct NamedElement {
    QStringView name; // lowered
    Element kind;
};

constexpr NamedElement kElements[] = {
    {u"file", Element::File},
    {u"folder", Element::Folder},
    {u"flag", Element::Flag},
    {u"flagdependency", Element::FlagDependency},
    {u"filedependency", Element::FileDependency},
    {u"dependencies", Element::Dependencies},
    {u"type", Element::Type},
    {u"plugin", Element::Plugin},
    {u"description", Element::Description},
    {u"image", Element::Image},
    {u"files", Element::Files},
    {u"typedescriptor", Element::TypeDescriptor},
    {u"pattern", Element::Pattern},
    {u"conditionflags", Element::ConditionFlags},
    {u"defaulttype", Element::DefaultType},
    {u"dependencytype", Element::DependencyType},
    {u"patterns", Element::Patterns},
    {u"group", Element::Group},
    {u"plugins", Element::Plugins},
    {u"installstep", Element::InstallStep},
    {u"optionalfilegroups", Element::OptionalFileGroups},
    {u"visible", Element::Visible},
    {u"config", Element::Config},
    {u"modulename", Element::ModuleName},
    {u"moduleimage", Element::ModuleImage},
    {u"moduledependencies", Element::ModuleDependencies},
    {u"requiredinstallfiles", Element::RequiredInstallFiles},
    {u"installsteps", Element::InstallSteps},
    {u"conditionalfileinstalls", Element::ConditionalFileInstalls},
    {u"gamedependency", Element::VersionDependency},
    {u"fommdependency", Element::VersionDependency},
    {u"fosedependency", Element::VersionDependency},
    {u"nvsedependency", Element::VersionDependency},
    {u"sksedependency", Element::VersionDependency},
    {u"f4sedependency", Element::VersionDependency},
};

// Names compared as the reader compares them; most end tags match exactly, which is cheap.
bool sameName(QStringView a, QStringView b) {
    return a.size() == b.size() && (a == b || a.compare(b, Qt::CaseInsensitive) == 0);
}

bool hasAttribute(const Tokenizer::AttributeList& attributes, QStringView key) {
    for (const Tokenizer::Attribute& pair : attributes) {
        if (pair.sName == key)
            return true;
    }
    return false;
}

bool isCondition(Element kind) {
    return kind == Element::Dependencies || kind == Element::FileDependency ||
           kind == Element::FlagDependency || kind == Element::VersionDependency;
}

bool isOrderedList(Element kind) {
    return kind == Element::InstallSteps || kind == Element::OptionalFileGroups ||
           kind == Element::Plugins;
}

// The value of the last occurrence of an attribute (the one the reader would use).
std::optional<QString> valueOf(const Tokenizer::AttributeList& attributes, QStringView key) {
    for (qsizetype i = attributes.size() - 1; i >= 0; --i) {
        if (attributes[i].sName == key)
            return Escaping::decodeReferences(attributes[i].sValue);
    }
    return std::nullopt;
}

bool isFalse(const QString& value) {
    const QString v = value.trimmed();
    return v == u"false" || v == u"0";
}

bool isTrue(const QString& value) {
    const QString v = value.trimmed();
    return v == u"true" || v == u"1";
}

QString versionMessage(QStringView name) {
    QString tested;
    if (sameName(name, u"gameDependency"))
        tested = QStringLiteral("the game's version");
    else if (sameName(name, u"fommDependency"))
        tested = QStringLiteral("the mod manager's version");
    else
        tested = QStringLiteral("the script extender's version");
    return QStringLiteral("dropped on save: the condition no longer tests %1").arg(tested);
}

// True when the names already stand in the order a manager sorts them into, whichever way it
// compares letter case.
bool alreadySorted(const QStringList& names, bool descending) {
    for (qsizetype i = 1; i < names.size(); ++i) {
        for (Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
            const int c = QString::compare(names[i - 1], names[i], cs);
            if (descending ? c < 0 : c > 0)
                return false;
        }
    }
    return true;
}

} // namespace

Element elementOf(QStringView loweredName) {
    for (const NamedElement& entry : kElements) {
        if (entry.name == loweredName)
            return entry.kind;
    }
    return Element::Unknown;
}

StructureNotes::StructureNotes(QList<NotKeptNote>& notes, ListNames listNames)
    : m_notes(notes), m_firstNote(notes.size()), m_listNames(std::move(listNames)) {}

void StructureNotes::note(qsizetype line, QStringView construct, const QString& message) {
    m_notes.append(NotKeptNote{line, construct.toString(), message});
}

void StructureNotes::noteDropped(qsizetype line, QStringView construct, const QString& message) {
    if (m_open.isEmpty() || !m_open.last().bDropped)
        note(line, construct, message);
}

void StructureNotes::open(Element kind, QStringView writtenName,
                          const Tokenizer::AttributeList& attributes, qsizetype line,
                          bool selfClosing, const ListScope& scope) {
    if (writtenName.startsWith(u'?') || writtenName.startsWith(u'!'))
        return; // the declaration, a document type
    OpenElement* parent = m_open.isEmpty() ? nullptr : &m_open.last();
    const bool insideDropped = parent && parent->bDropped;
    OpenElement element;
    element.kind = kind;
    element.name = writtenName;
    element.line = line;
    element.bDropped = insideDropped;

    if (!insideDropped) {
        if (isCondition(kind))
            condition(parent, kind, line);
        switch (kind) {
        case Element::Unknown:
            note(line, writtenName,
                 QStringLiteral("not part of the installer format: dropped on save"));
            element.bDropped = true;
            break;
        case Element::ModuleDependencies:
            note(line, writtenName,
                 QStringLiteral("dropped on save: managers no longer check what the installer "
                                "requires before it starts"));
            element.bDropped = true;
            break;
        case Element::VersionDependency:
            note(line, writtenName, versionMessage(writtenName));
            element.bDropped = true;
            break;
        case Element::ModuleName:
        case Element::ModuleImage:
            noteHeaderAttributes(kind, attributes, line);
            break;
        case Element::Visible: {
            const std::optional<QString> op = valueOf(attributes, u"operator");
            if (op && *op != u"And")
                element.sOperator = *op; // noted once a condition stands directly inside
            break;
        }
        default:
            break;
        }
        if (isOrderedList(kind) && scope.list == kind) {
            const std::optional<QString> order = valueOf(attributes, u"order");
            element.bOrderWritten = order.has_value();
            element.sOrder = order.value_or(QString());
            element.scope = scope;
        }
    }

    if (selfClosing)
        return;
    if (m_open.size() < kMaxDepth)
        m_open.append(element);
}

// A condition inside `parent`. The project holds one flat list of conditions with one
// operator; `visible` holding one `dependencies` is that list written out, anything deeper
// or mixed is flattened.
void StructureNotes::condition(OpenElement* parent, Element kind, qsizetype line) {
    if (!parent)
        return;
    const QString flattened = QStringLiteral(
        "nested conditions are flattened on save into one list with one operator: the "
        "condition changes meaning");
    if (parent->kind == Element::Dependencies) {
        if (kind == Element::Dependencies)
            note(line, u"dependencies", flattened);
        return;
    }
    if (parent->kind != Element::Visible)
        return;
    if (parent->conditions > 0) {
        if (parent->pendingGroupLine >= 0) {
            note(parent->pendingGroupLine, u"dependencies", flattened);
            parent->pendingGroupLine = -1;
        }
        if (kind == Element::Dependencies)
            note(line, u"dependencies", flattened);
    } else if (kind == Element::Dependencies) {
        parent->pendingGroupLine = line;
    }
    if (kind != Element::Dependencies && !parent->sOperator.isEmpty()) {
        note(parent->line, u"operator",
             QStringLiteral("operator \"%1\" on \"visible\" is not read: the step's conditions "
                            "are saved with \"And\"")
                 .arg(parent->sOperator));
        parent->sOperator.clear();
    }
    ++parent->conditions;
}

// The title's and the header image's display attributes, which the project has no field for;
// a value that is the format's default loses nothing.
void StructureNotes::noteHeaderAttributes(Element kind, const Tokenizer::AttributeList& attributes,
                                          qsizetype line) {
    struct Display {
        QStringView key; // lowered, as the tokenizer gives it
        QStringView written;
        QStringView fallback;
        bool boolean;
    };
    static constexpr Display kTitle[] = {{u"position", u"position", u"Left", false},
                                         {u"colour", u"colour", u"000000", false}};
    static constexpr Display kImage[] = {{u"showimage", u"showImage", u"true", true},
                                         {u"showfade", u"showFade", u"true", true},
                                         {u"height", u"height", u"-1", false}};
    const auto check = [&](const Display& display) {
        const std::optional<QString> value = valueOf(attributes, display.key);
        if (!value)
            return;
        if (display.boolean ? isTrue(*value) : value->trimmed() == display.fallback)
            return;
        note(line, display.written,
             QStringLiteral("%1=\"%2\" is dropped on save: managers then use the default, "
                            "\"%3\"")
                 .arg(display.written, *value, display.fallback));
    };
    if (kind == Element::ModuleName)
        std::for_each(std::begin(kTitle), std::end(kTitle), check);
    else
        std::for_each(std::begin(kImage), std::end(kImage), check);
}

void StructureNotes::noteFileAttributes(const Tokenizer::AttributeList& attributes, qsizetype line,
                                        bool inPlugin) {
    if (!m_open.isEmpty() && m_open.last().bDropped)
        return;
    if (!hasAttribute(attributes, u"destination"))
        note(line, u"destination",
             QStringLiteral("missing: managers install to the source's own path; it is saved "
                            "empty, which installs into the top of the data folder"));
    if (!inPlugin)
        return; // elsewhere a file is installed anyway
    if (!hasAttribute(attributes, u"alwaysinstall") &&
        !hasAttribute(attributes, u"installifusable"))
        return;
    if (const std::optional<QString> value = valueOf(attributes, u"alwaysinstall");
        value && !isFalse(*value))
        note(line, u"alwaysInstall",
             QStringLiteral("alwaysInstall=\"%1\" is dropped on save: the file is then installed "
                            "only when its option is chosen")
                 .arg(*value));
    if (const std::optional<QString> value = valueOf(attributes, u"installifusable");
        value && !isFalse(*value))
        note(line, u"installIfUsable",
             QStringLiteral("installIfUsable=\"%1\" is dropped on save: the file is then "
                            "installed only when its option is chosen, not whenever it is usable")
                 .arg(*value));
}

void StructureNotes::close(QStringView writtenName) {
    for (qsizetype i = m_open.size() - 1; i >= 0; --i) {
        if (!sameName(m_open[i].name, writtenName))
            continue;
        while (m_open.size() > i)
            closeTop();
        return;
    }
}

// Managers show a list by its order attribute ("Ascending" when there is none); the writer
// saves the project's order as "Explicit". Only a change of what the user sees is noted.
void StructureNotes::closeTop() {
    const OpenElement element = m_open.takeLast();
    if (!isOrderedList(element.kind) || element.scope.list != element.kind)
        return;
    const QString& order = element.sOrder;
    if (element.bOrderWritten && order == u"Explicit")
        return;
    if (element.bOrderWritten && order != u"Ascending" && order != u"Descending") {
        note(element.line, u"order",
             QStringLiteral("order \"%1\" is not one of the format's values; it is saved as "
                            "\"Explicit\", in the order written")
                 .arg(order));
        return;
    }
    const bool descending = order == u"Descending";
    if (alreadySorted(m_listNames(element.scope), descending))
        return;
    if (element.bOrderWritten)
        note(element.line, u"order",
             QStringLiteral("order \"%1\": managers sort these by name; Quarvel saves them in "
                            "the order written, as \"Explicit\"")
                 .arg(order));
    else
        note(element.line, u"order",
             QStringLiteral("no order: managers sort these by name (the format's default, "
                            "\"Ascending\"); Quarvel saves them in the order written, as "
                            "\"Explicit\""));
}

void StructureNotes::finish() {
    while (!m_open.isEmpty())
        closeTop();
    std::stable_sort(m_notes.begin() + m_firstNote, m_notes.end(),
                     [](const NotKeptNote& a, const NotKeptNote& b) { return a.line < b.line; });
}

} // namespace NotKept
