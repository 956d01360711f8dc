#pragma once

#include <QList>
#include <QString>

// The in-memory form of one installer package. Plain value classes: copying a project copies
// the whole tree, and elements are addressed only by their position in their sequence.
// Texts are held as the user gave them; the two descriptions are held in their written form
// (character references included), everything else as plain text that the writer escapes.

// A comment of the author's, kept where it stood in the file. It belongs to the element it
// stood before (sAt empty), or to the element holding it: then sAt names the part of that element
// it stood before (a child element the model does not hold on its own, such as "files" or
// "typeDescriptor", as a path: "typeDescriptor/dependencyType"), and a path ending in "/" the end
// of that part ("/" alone: before the element's own end tag). sText is the text between "<!--" and
// "-->".
class CComment {
public:
    QString sText;
    QString sAt;

    bool operator==(const CComment&) const = default;
};

// One condition: on a file state ("file"), a flag value ("flag"), a version ("game", "fomm",
// "fose", "skse", "nvse", "f4se": at least sValue), or a group ("group") of conditions joined
// by their own operator, nested to any depth.
class CDependency {
public:
    QString sType;
    QString sName;  // file: the file tested; flag: the flag; empty otherwise
    QString sValue; // file: its state; flag: the value to match; version kinds: the version
    // group: "And" or "Or"; empty when the file gave none (the format's default, And), which
    // is then written without one
    QString sOperator;
    QList<CDependency> vDependencies; // group: its conditions
    QList<CComment> vComments;

    // Written out: a defaulted comparison of a class that lists itself is refused by QList.
    bool operator==(const CDependency& other) const;
};

inline bool CDependency::operator==(const CDependency& other) const {
    return sType == other.sType && sName == other.sName && sValue == other.sValue &&
           sOperator == other.sOperator && vDependencies == other.vDependencies &&
           vComments == other.vComments;
}

// One flag an option sets when it is chosen.
class CCondition {
public:
    QString sName;
    QString sValue;
    QList<CComment> vComments;

    CCondition() = default;
    CCondition(const QString& name, const QString& value) : sName(name), sValue(value) {}
    bool operator==(const CCondition&) const = default;
};

// One copy instruction: a "file" or a "folder" from the mod to the game's data folder.
class CFile {
public:
    QString sType;
    QString sSource;
    QString sDestination;
    qint32 iPriority = 0;
    // As written ("true", "false", ...); empty when not set, and then not written.
    QString sAlwaysInstall;
    QString sInstallIfUsable;
    QList<CComment> vComments;

    bool operator==(const CFile&) const = default;
};

// One pattern of an option's type descriptor: the type taken when its dependencies hold.
class CDependencyPattern {
public:
    QString sOperator;
    QString sType;
    QList<CDependency> vDependencies;
    QList<CComment> vComments;

    bool operator==(const CDependencyPattern&) const = default;
};

// One selectable option of a group.
class CPlugin {
public:
    QString sName;
    QString sDescription;
    QString sImage;
    QString sType = QStringLiteral("Optional");
    QList<CCondition> vConditionFlags;
    QList<CFile> vFiles;
    QList<CDependencyPattern> vPatterns;
    QList<CComment> vComments;

    CPlugin() = default;
    explicit CPlugin(const QString& name) : sName(name) {}
    bool operator==(const CPlugin&) const = default;
};

// One option group of a step.
class CPluginGroup {
public:
    QString sName;
    QString sType;
    QList<CPlugin> vPlugins;
    // How managers show the options: "Explicit" (as listed), "Ascending" or "Descending" (by
    // name); empty when the file gave none, which managers read as "Ascending". vPlugins is in
    // the order shown.
    QString sPluginOrder = QStringLiteral("Explicit");
    QList<CComment> vComments;

    CPluginGroup() = default;
    CPluginGroup(const QString& name, const QString& type) : sName(name), sType(type) {}
    bool operator==(const CPluginGroup&) const = default;
};

// One install step, shown when its visibility conditions hold.
class CStep {
public:
    QString sName;
    QString sOperator = QStringLiteral("And");
    QList<CDependency> vVisibility;
    QList<CPluginGroup> vGroups;
    QString sGroupOrder = QStringLiteral("Explicit"); // as sPluginOrder, for the groups
    QList<CComment> vComments;

    explicit CStep(const QString& name = QString()) : sName(name) {}
    bool operator==(const CStep&) const = default;
};

// One conditional install: files installed when the dependencies hold.
class CConditionalFile {
public:
    QString sOperator;
    QList<CDependency> vDependencies;
    QList<CFile> vFiles;
    QList<CComment> vComments;

    bool operator==(const CConditionalFile&) const = default;
};

// One attribute of an info.xml element, exactly as written between the quotation marks.
class CInfoAttribute {
public:
    QString sName;
    QString sValue;

    bool operator==(const CInfoAttribute&) const = default;
};

// One node of info.xml as read: an element with its attributes, its text as written (character
// references kept) and its children, or a comment (bComment, its text in sText). The fields the
// editor shows (name, author, version, website, description, the first category) are the
// project's own; the nodes keep everything around them, in order.
class CInfoNode {
public:
    QString sName; // as written
    QList<CInfoAttribute> vAttributes;
    QString sText;
    QList<CInfoNode> vChildren;
    bool bComment = false;

    bool operator==(const CInfoNode& other) const; // written out, as CDependency's
};

inline bool CInfoNode::operator==(const CInfoNode& other) const {
    return sName == other.sName && vAttributes == other.vAttributes && sText == other.sText &&
           vChildren == other.vChildren && bComment == other.bComment;
}

// The whole project: the mod's information and its installer configuration.
class CFOMOD {
public:
    QString sName;
    QString sAuthor;
    QString sVersion;
    QString sCategory;
    QString sWebsite;
    QString sImage;
    QString sDescription;
    QList<CStep> vSteps;
    QList<CFile> vRequiredFiles;
    QList<CConditionalFile> vConditionalFiles;

    // What the installer says beyond the fields above; empty or default when it says nothing,
    // and then nothing of it is written.
    QString sTitle;         // moduleName, where it is not the mod name
    QString sTitlePosition; // moduleName's position and colour, as written
    QString sTitleColour;
    QString sShowImage; // moduleImage's showImage, showFade and height, as written
    QString sShowFade;
    QString sImageHeight;
    // The mod's prerequisites (moduleDependencies); sModuleOperator as CDependency::sOperator.
    QString sModuleOperator;
    QList<CDependency> vModuleDependencies;
    QString sStepOrder = QStringLiteral("Explicit"); // as CPluginGroup::sPluginOrder, for the steps
    QList<CInfoNode> vInfoNodes; // info.xml's top-level nodes as read; empty when none was read
    // Comments of ModuleConfig.xml held by no element: sAt as in CComment, relative to the
    // config element ("" before it, "moduleName", "installSteps/", "/" before its end tag).
    QList<CComment> vComments;

    bool operator==(const CFOMOD&) const = default;
};

// Made of implicitly shared texts and lists only, so their lists may move them bytewise: a long
// list then grows in place instead of being copied into a new block.
Q_DECLARE_TYPEINFO(CComment, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CDependency, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CInfoAttribute, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CInfoNode, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CCondition, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CFile, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CDependencyPattern, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CPlugin, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CPluginGroup, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CStep, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CConditionalFile, Q_RELOCATABLE_TYPE);
