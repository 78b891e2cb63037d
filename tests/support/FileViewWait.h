#pragma once

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QTreeView>
#include <functional>

namespace testsupport {

// Runs events until done() holds or the time is up; whether it holds.
inline bool WaitFor(const std::function<bool()>& done, int milliseconds = 5000) {
    for (QDeadlineTimer deadline(milliseconds); !done();) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return true;
}

// A file dialog's detail view shows `rows` rows, each with its type: rows come in, and their
// types later, from Qt's file information thread.
inline bool RowsTyped(const QTreeView& view, int rows, int typeColumn = 2) {
    const QAbstractItemModel* model = view.model();
    if (model->rowCount(view.rootIndex()) != rows) {
        return false;
    }
    for (int row = 0; row < rows; ++row) {
        if (model->index(row, typeColumn, view.rootIndex()).data().toString().isEmpty()) {
            return false;
        }
    }
    return true;
}

}  // namespace testsupport
