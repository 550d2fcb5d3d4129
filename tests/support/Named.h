#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

namespace vantor::test {

// The descendant of `root` with that object name and type, as the program names its
// widgets and actions. A missing one ends the test run with a message that names it.
template <class T> T& Named(const QObject& root, const char* name) {
    T* found = root.findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr)
        qFatal("no %s named \"%s\" under \"%s\"", T::staticMetaObject.className(), name,
               qPrintable(root.objectName()));
    return *found;
}

} // namespace vantor::test
