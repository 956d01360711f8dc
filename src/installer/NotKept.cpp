#include "installer/NotKept.h"

#include <algorithm>

namespace NotKept {

namespace {

// Names compared as the reader compares them; most end tags match exactly, which is cheap.
bool sameName(QStringView a, QStringView b) {
    return a.size() == b.size() && (a == b || a.compare(b, Qt::CaseInsensitive) == 0);
}

} // namespace

StructureNotes::StructureNotes(QList<NotKeptNote>& notes)
    : m_notes(notes), m_firstNote(notes.size()) {}

void StructureNotes::note(qsizetype line, QStringView construct, const QString& message) {
    m_notes.append(NotKeptNote{line, construct.toString(), message});
}

void StructureNotes::noteDropped(qsizetype line, QStringView construct, const QString& message) {
    if (m_open.isEmpty() || !m_open.last().bDropped)
        note(line, construct, message);
}

void StructureNotes::open(Element kind, QStringView writtenName, qsizetype line, bool selfClosing) {
    if (writtenName.startsWith(u'?') || writtenName.startsWith(u'!'))
        return; // the declaration, a document type
    const bool insideDropped = !m_open.isEmpty() && m_open.last().bDropped;
    OpenElement element{writtenName, insideDropped};
    if (!insideDropped && kind == Element::Unknown) {
        note(line, writtenName,
             QStringLiteral("not part of the installer format: dropped on save"));
        element.bDropped = true;
    }
    if (selfClosing)
        return;
    if (m_open.size() < kMaxDepth)
        m_open.append(element);
}

void StructureNotes::close(QStringView writtenName) {
    for (qsizetype i = m_open.size() - 1; i >= 0; --i) {
        if (sameName(m_open[i].name, writtenName)) {
            m_open.resize(i);
            return;
        }
    }
}

void StructureNotes::finish() {
    m_open.clear();
    std::stable_sort(m_notes.begin() + m_firstNote, m_notes.end(),
                     [](const NotKeptNote& a, const NotKeptNote& b) { return a.line < b.line; });
}

} // namespace NotKept
