#include "probes/processoptionsdialog.h"

#include "probes/specificprocessoptionswidget.h"
#include "probes/zndtranslator.h"
#include "shared/pendingwarnings.h"
#include "survey/processoptionsstore.h"

#include <memory>

ProcessOptionsDialog::ProcessOptionsDialog(const QSet<ProbeId>& probeIds, QWidget* parent)
    : QDialog(parent, Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint)
{
    setupUi(this);
    m_leastSize = minimumSize();
    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(comboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), stackedWidget,
            &QStackedWidget::setCurrentIndex);

    const QMap<ProbeId, SpecificProcessOptions> stored = ProcessOptionsStore::instance()->options();
    QStringList unknown;
    for (const ProbeId& id : probeIds) {
        std::unique_ptr<ZndTranslator> translator(createTranslator(id));
        if (!translator) {
            unknown << tr("Project data contain unknown probe (%1::%2)").arg(id.type()).arg(id.subtype());
            continue;
        }
        comboBox->addItem(translator->model());

        auto* page = new SpecificProcessOptionsWidget;
        page->setProcessOptionsWidget(translator->createProcessOptionsWidget());
        page->setGraphicOptionsWidget(translator->createGraphicOptionsWidget());
        const SpecificProcessOptions options = stored.value(id, SpecificProcessOptions());
        page->setOptionsEnabled(options.enabled);
        page->setSpecificData(options.specificData);
        stackedWidget->addWidget(page);
        m_widgets.insert(id, page);
    }
    if (stackedWidget->count() > 0)
        stackedWidget->setCurrentIndex(0);
    fitContents();
    PendingWarnings::showOver(this, unknown);
}

bool ProcessOptionsDialog::event(QEvent* event)
{
    // A page whose options are switched on may need more room.
    if (event->type() == QEvent::LayoutRequest)
        fitContents();
    return QDialog::event(event);
}

void ProcessOptionsDialog::fitContents()
{
    // Translated option texts may need more than the form's size, and are
    // never cut.
    setMinimumSize(m_leastSize.expandedTo(layout()->totalMinimumSize()));
}

ProcessOptionsDialog::~ProcessOptionsDialog()
{
    QMap<ProbeId, SpecificProcessOptions> options;
    for (auto it = m_widgets.cbegin(); it != m_widgets.cend(); ++it) {
        SpecificProcessOptions entry;
        entry.enabled = it.value()->isOptionsEnabled();
        entry.specificData = it.value()->isSpecificData();
        options.insert(it.key(), entry);
    }
    ProcessOptionsStore::instance()->setOptions(options);
    // The pages go with the dialog, and their option widgets store the
    // user's choices for every later computation as they are destroyed.
}
