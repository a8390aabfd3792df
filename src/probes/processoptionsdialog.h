#pragma once

#include "survey/probeid.h"
#include "ui_processoptionsdialog.h"

#include <QDialog>
#include <QMap>
#include <QSet>

class SpecificProcessOptionsWidget;

// Lets the user choose, per probe model of the project, whether and which
// values its records contribute. The choices go to ProcessOptionsStore when
// the dialog is destroyed, however it was closed.
class ProcessOptionsDialog : public QDialog, public Ui::UIProcessOptionsDialog
{
    Q_OBJECT

public:
    explicit ProcessOptionsDialog(const QSet<ProbeId>& probeIds, QWidget* parent = nullptr);
    ~ProcessOptionsDialog() override;

protected:
    bool event(QEvent* event) override;

private:
    void fitContents();

    QMap<ProbeId, SpecificProcessOptionsWidget*> m_widgets;
    // The form's minimum size, the least the dialog ever takes.
    QSize m_leastSize;
};
