#pragma once

#include <QList>
#include <QString>

// The in-memory form of one installer package. Plain value classes: copying a project copies
// the whole tree, and elements are addressed only by their position in their sequence.
// Texts are held as the user gave them; the two descriptions are held in their written form
// (character references included), everything else as plain text that the writer escapes.

// One condition on a file state ("file") or a flag value ("flag").
class CDependency {
public:
    QString sType;
    QString sName;
    QString sValue;

    bool operator==(const CDependency&) const = default;
};

// One flag an option sets when it is chosen.
class CCondition {
public:
    QString sName;
    QString sValue;

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

    bool operator==(const CFile&) const = default;
};

// One pattern of an option's type descriptor: the type taken when its dependencies hold.
class CDependencyPattern {
public:
    QString sOperator;
    QString sType;
    QList<CDependency> vDependencies;

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

    explicit CStep(const QString& name = QString()) : sName(name) {}
    bool operator==(const CStep&) const = default;
};

// One conditional install: files installed when the dependencies hold.
class CConditionalFile {
public:
    QString sOperator;
    QList<CDependency> vDependencies;
    QList<CFile> vFiles;

    bool operator==(const CConditionalFile&) const = default;
};

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

    bool operator==(const CFOMOD&) const = default;
};

// Made of implicitly shared texts and lists only, so their lists may move them bytewise: a long
// list then grows in place instead of being copied into a new block.
Q_DECLARE_TYPEINFO(CDependency, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CCondition, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CFile, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CDependencyPattern, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CPlugin, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CPluginGroup, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CStep, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CConditionalFile, Q_RELOCATABLE_TYPE);
