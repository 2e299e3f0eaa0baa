#pragma once

#include "books/TaskList.h"
#include "records/Project.h"

#include <QList>

namespace zol {

// What of the books goes through the studio folder both ways: the project
// catalogue and the task list, as the sync reads, publishes and merges them.
// The books' store keeps them; the sync knows nothing else of it.
class SharedLists
{
public:
    virtual ~SharedLists() = default;

    // A number that changes whenever another connection commits a change.
    virtual qint64 dataVersion() = 0;
    // A number that moves whenever these books change the catalogue.
    virtual quint64 projectsRevision() const = 0;
    virtual QList<Project> projects(bool includeInactive) = 0;
    // Merges projects from other machines by the ownership rule of numbers;
    // returns how many rows were written.
    virtual int mergeProjects(const QList<Project>& projects) = 0;
    virtual TaskList taskList() = 0;
    // Stores `incoming` only when it was changed later than the stored list.
    virtual bool mergeTaskList(const TaskList& incoming) = 0;

protected:
    SharedLists() = default;
    SharedLists(const SharedLists&) = default;
    SharedLists& operator=(const SharedLists&) = default;
};

} // namespace zol
