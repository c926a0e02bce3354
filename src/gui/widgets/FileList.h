#pragma once
// A file list: every file of one folder (hidden ones included, no pattern), sorted by name
// with letter case ignored. A click or a keyboard move raises Click(), a double click (or Enter
// on a selected file) raises Click() and then DblClick().

#include <QListWidget>

class FileList : public QListWidget
{
    Q_OBJECT

public:
    explicit FileList(QWidget* parent = nullptr);

    QString Path() const { return m_path; }
    // Lists the files of `path`; false, and nothing changed, when it is not a folder that can
    // be listed. Nothing is selected afterwards.
    bool setPath(const QString& path);
    void refresh() { setPath(m_path); }

    // Name of the selected file, empty when none is selected.
    QString FileName() const;
    int ListIndex() const { return currentRow(); }
    void setListIndex(int index) { setCurrentRow(index); }
    int ListCount() const { return count(); }
    QString List(int index) const;

signals:
    void Click();
    void DblClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_path;
};
