#pragma once

#include "probes/processoptionswidget.h"
#include "ui_processoptionswidget_legacy.h"

// Chooses the response model by which the legacy translator turns a
// measured modulus into an apparent resistivity. The buttons keep the
// acquisition program's labels "Modulus", "Real part" and "Imaginary part".
class ProcessOptionsWidget_Legacy : public ProcessOptionsWidget,
                                    public Ui::UIProcessOptionsWidget_Legacy
{
    Q_OBJECT

public:
    explicit ProcessOptionsWidget_Legacy(QWidget* parent = nullptr);
    ~ProcessOptionsWidget_Legacy() override;

    // 0 "Modulus", 1 "Real part", 2 "Imaginary part": the response model.
    int signalPart() const;
};
