#pragma once

#include "probes/measureoptionswidget.h"
#include "ui_measureoptionswidget_legacy.h"

// Chooses the legacy frequencies that a measurement command asks for.
// It never emits optionsChanged().
class MeasureOptionsWidget_Legacy : public MeasureOptionsWidget,
                                    public Ui::UIMeasureOptionsWidget_Legacy
{
    Q_OBJECT

public:
    explicit MeasureOptionsWidget_Legacy(QWidget* parent = nullptr);
    ~MeasureOptionsWidget_Legacy() override;

    // The box of frequency index f (0 ... 13, f1CheckBox ... f14CheckBox),
    // null for any other index.
    QCheckBox* frequencyBox(int f) const;
};
