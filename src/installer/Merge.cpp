#include "installer/Merge.h"

namespace {

// The donor's elements first, then the project's own. Built as a new list, so merging a
// project with itself doubles it instead of reading what it is writing.
template <typename T> void putInFront(QList<T>& own, const QList<T>& donor) {
    if (donor.isEmpty())
        return;
    QList<T> merged;
    merged.reserve(donor.size() + own.size());
    merged.append(donor);
    merged.append(own);
    own = std::move(merged);
}

} // namespace

void mergeProjects(CFOMOD& project, const CFOMOD& donor) {
    putInFront(project.vSteps, donor.vSteps);
    putInFront(project.vRequiredFiles, donor.vRequiredFiles);
    putInFront(project.vConditionalFiles, donor.vConditionalFiles);
}
