#pragma once

#include "ui_addslicedialog.h"

#include <QDialog>
#include <QPolygonF>

class QLineEdit;
class QShowEvent;

// The modeless window in which the user types the title and the geometry of
// a new slice: a vertical line between two points or a horizontal outline of
// four corners at a height. OK stores the geometry and emits add(), whose
// receiver reads it through the getters; Cancel puts back the stored values.
// The title is neither stored nor restored.
class AddSliceDialog : public QDialog, public Ui::UIAddSliceDialog
{
    Q_OBJECT

public:
    explicit AddSliceDialog(QWidget* parent = nullptr);

    void setTitle(const QString& title);
    QString title() const;
    bool isVertical() const;
    // Two points on the vertical page, four on the horizontal one.
    QPolygonF polygon() const;
    // The horizontal page's height, whichever page is shown.
    double height() const;

signals:
    void add();

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Field
    {
        const char* key;
        double defaultValue;
        QLineEdit* edit;
    };

    QList<Field> fields() const;
    void showVerticalPage();
    void showHorizontalPage();
    void loadSettings();
    void saveSettings();
    void onAccepted();
    void onRejected();
};
