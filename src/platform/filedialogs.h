#pragma once

#include <QString>

class QWidget;

namespace quorbel {

// Open and save dialogs. An empty result means the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // filter uses Qt's "Caption (*.a *.b);;Other (*.c)" form.
    virtual QString openFile(QWidget* parent, const QString& title, const QString& filter) = 0;
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& filter,
                             const QString& defaultSuffix) = 0;
    virtual QString folder(QWidget* parent, const QString& title) = 0;
};

class QtFileDialogs : public FileDialogs {
public:
    QString openFile(QWidget* parent, const QString& title, const QString& filter) override;
    QString saveFile(QWidget* parent, const QString& title, const QString& filter,
                     const QString& defaultSuffix) override;
    QString folder(QWidget* parent, const QString& title) override;
};

} // namespace quorbel
