#pragma once

#include "installer/ReadReport.h"
#include "installer/Tokenizer.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <functional>

// What a ModuleConfig.xml can say that a project cannot hold. The reader knows no nesting; this
// follows it, tag by tag, only while a read report is asked for, and notes every construct that
// saving would drop or change: unknown elements, nested conditions, dependency kinds without a
// place in the project, attributes the project has no field for, and list orders other than
// the document order the writer keeps.
namespace NotKept {

// The elements of the installer format, and Unknown for every other name.
enum class Element : quint8 {
    Unknown,
    Config,
    ModuleName,
    ModuleImage,
    ModuleDependencies,
    RequiredInstallFiles,
    InstallSteps,
    ConditionalFileInstalls,
    InstallStep,
    Visible,
    OptionalFileGroups,
    Group,
    Plugins,
    Plugin,
    Description,
    Image,
    Files,
    ConditionFlags,
    Flag,
    TypeDescriptor,
    DependencyType,
    DefaultType,
    Patterns,
    Pattern,
    Type,
    Dependencies,
    FileDependency,
    FlagDependency,
    VersionDependency, // game, mod manager and script extender versions
    File,
    Folder,
};

// The element a tag name, lowered as the tokenizer gives it, stands for.
Element elementOf(QStringView loweredName);

// A list whose order the file may set: the steps, the groups of step `step`, the plugins of
// group `group` of step `step`; `first` is the index the list had reached when the element
// holding it opened.
struct ListScope {
    Element list = Element::Unknown; // InstallSteps, OptionalFileGroups or Plugins
    int step = -1;
    int group = -1;
    qsizetype first = 0;
};

// Names of the entries of a list from `first` on, as the project holds them once read.
using ListNames = std::function<QStringList(const ListScope&)>;

class StructureNotes {
public:
    StructureNotes(QList<NotKeptNote>& notes, ListNames listNames);

    // A start tag, before the reader acts on it. `writtenName` is the name as the file spells
    // it; `scope` says which list an ordered container holds (ignored for other elements).
    void open(Element kind, QStringView writtenName, const Tokenizer::AttributeList& attributes,
              qsizetype line, bool selfClosing, const ListScope& scope = {});
    // An end tag: closes the innermost open element of that name and those left open in it.
    void close(QStringView writtenName);
    // The end of the text: closes what is still open and puts the notes in line order.
    void finish();

    // A note for something the reader passed over, unless it stands inside something already
    // noted as dropped whole.
    void noteDropped(qsizetype line, QStringView construct, const QString& message);
    // A file or folder kept by the reader; `inPlugin` when it belongs to an option.
    void noteFileAttributes(const Tokenizer::AttributeList& attributes, qsizetype line,
                            bool inPlugin);

private:
    struct OpenElement {
        Element kind = Element::Unknown;
        QStringView name;
        qsizetype line = 0;
        bool bDropped = false; // it and everything inside it are lost: noted once
        // Conditions: how many conditions it holds so far, and for `visible` the line of its
        // first `dependencies` while that one is not yet noted.
        int conditions = 0;
        qsizetype pendingGroupLine = -1;
        QString sOperator; // `visible`'s own operator, which the reader does not read
        // Ordered lists.
        bool bOrderWritten = false;
        QString sOrder;
        ListScope scope;
    };

    void condition(OpenElement* parent, Element kind, qsizetype line);
    void noteHeaderAttributes(Element kind, const Tokenizer::AttributeList& attributes,
                              qsizetype line);
    void closeTop();
    void note(qsizetype line, QStringView construct, const QString& message);

    QList<NotKeptNote>& m_notes;
    const qsizetype m_firstNote;
    ListNames m_listNames;
    QList<OpenElement> m_open;
    // Elements nested deeper than this are followed as if they had no content: a hostile file
    // cannot make closing an element search an endless stack.
    static constexpr qsizetype kMaxDepth = 256;
};

} // namespace NotKept
