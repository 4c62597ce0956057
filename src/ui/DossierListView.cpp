#include "DossierListView.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include "QtText.h"

using trelvane::DossierListRow;
using trelvane::ui::FromCp;

class DossierListModel : public QAbstractTableModel {
  public:
    enum Column { Number, Nir, Name, Rejects, Warnings, VerdictColumn, Columns };

    using QAbstractTableModel::QAbstractTableModel;

    void SetRows(std::vector<DossierListRow> rows) {
        beginResetModel();
        rows_ = std::move(rows);
        endResetModel();
    }
    const std::vector<DossierListRow>& Rows() const { return rows_; }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : Columns;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        switch (section) {
            case Number:
                return QStringLiteral(u"N°");
            case Nir:
                return QStringLiteral("NIR");
            case Name:
                return QStringLiteral(u"Nom du déclarant");
            case Rejects:
                return QStringLiteral("Rejets");
            case Warnings:
                return QStringLiteral("Signalements");
            default:
                return QStringLiteral("Verdict");
        }
    }
    QVariant data(const QModelIndex& index, int role) const override {
        const DossierListRow& row = rows_[static_cast<std::size_t>(index.row())];
        if (role == Qt::ForegroundRole && row.verdict == trelvane::Verdict::Rejected)
            return QColor(200, 0, 0);
        if (role == Qt::TextAlignmentRole && index.column() != Nir && index.column() != Name &&
            index.column() != VerdictColumn)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole) return {};
        switch (index.column()) {
            case Number: {
                // Numbers sort as numbers.
                bool ok = false;
                const qlonglong n = FromCp(row.number).toLongLong(&ok);
                return ok ? QVariant(n) : QVariant(FromCp(row.number));
            }
            case Nir:
                return FromCp(row.nir);
            case Name:
                return FromCp(row.name);
            case Rejects:
                return qlonglong(row.rejects);
            case Warnings:
                return qlonglong(row.warnings);
            default:
                return FromCp(trelvane::VerdictText(row.verdict));
        }
    }

  private:
    std::vector<DossierListRow> rows_;
};

DossierListView::DossierListView(QWidget* parent) : QWidget(parent) {
    model_ = new DossierListModel(this);
    proxy_ = new QSortFilterProxyModel(this);
    proxy_->setSourceModel(model_);
    proxy_->setFilterKeyColumn(DossierListModel::VerdictColumn);

    auto* label = new QLabel(QStringLiteral("&Verdict :"), this);
    cmbVerdict_ = new QComboBox(this);
    cmbVerdict_->setObjectName(QStringLiteral("cmbVerdict"));
    cmbVerdict_->addItem(QStringLiteral("Tous les dossiers"));
    for (auto verdict : {trelvane::Verdict::Accepted, trelvane::Verdict::AcceptedWithWarnings,
                         trelvane::Verdict::Rejected})
        cmbVerdict_->addItem(FromCp(trelvane::VerdictText(verdict)));
    label->setBuddy(cmbVerdict_);
    lblDossiers_ = new QLabel(this);
    lblDossiers_->setObjectName(QStringLiteral("lblDossiers"));

    tblDossiers_ = new QTableView(this);
    tblDossiers_->setObjectName(QStringLiteral("tblDossiers"));
    tblDossiers_->setModel(proxy_);
    tblDossiers_->setSortingEnabled(true);
    tblDossiers_->sortByColumn(DossierListModel::Number, Qt::AscendingOrder);
    tblDossiers_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblDossiers_->setSelectionMode(QAbstractItemView::SingleSelection);
    tblDossiers_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblDossiers_->setAlternatingRowColors(true);
    tblDossiers_->setTabKeyNavigation(false);
    tblDossiers_->verticalHeader()->hide();
    // Rows of one height, columns of set widths: a list of a hundred
    // thousand dossiers is never measured row by row.
    tblDossiers_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tblDossiers_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView* header = tblDossiers_->horizontalHeader();
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    header->resizeSection(DossierListModel::Number, digit * 8);
    header->resizeSection(DossierListModel::Nir, digit * 17);
    header->resizeSection(DossierListModel::Rejects, digit * 9);
    header->resizeSection(
        DossierListModel::Warnings,
        fontMetrics().horizontalAdvance(QStringLiteral("Signalements")) + digit * 4);
    header->setSectionResizeMode(DossierListModel::Name, QHeaderView::Stretch);
    header->resizeSection(
        DossierListModel::VerdictColumn,
        fontMetrics().horizontalAdvance(QStringLiteral(u"Accepté avec signalements")) + digit * 3);
    tblDossiers_->installEventFilter(this);

    auto* top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(cmbVerdict_);
    top->addStretch();
    top->addWidget(lblDossiers_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(tblDossiers_);

    connect(cmbVerdict_, &QComboBox::currentIndexChanged, this, &DossierListView::Filter);
    connect(tblDossiers_, &QTableView::activated, this, &DossierListView::Choose);
    Count();
}

DossierListView::~DossierListView() = default;

void DossierListView::SetRows(std::vector<DossierListRow> rows) {
    model_->SetRows(std::move(rows));
    Count();
}

const std::vector<DossierListRow>& DossierListView::Rows() const {
    return model_->Rows();
}

void DossierListView::Filter() {
    const int choice = cmbVerdict_->currentIndex();
    proxy_->setFilterRegularExpression(
        choice <= 0 ? QRegularExpression()
                    : QRegularExpression(QStringLiteral("^%1$").arg(
                          QRegularExpression::escape(cmbVerdict_->currentText()))));
    Count();
}

bool DossierListView::eventFilter(QObject* watched, QEvent* event) {
    // Enter chooses the current row; left to the view, it would also press
    // the window's default button.
    if (watched == tblDossiers_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (tblDossiers_->currentIndex().isValid()) Choose(tblDossiers_->currentIndex());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void DossierListView::Choose(const QModelIndex& index) {
    const int row = proxy_->mapToSource(index).row();
    emit DossierChosen(model_->Rows()[static_cast<std::size_t>(row)]);
}

void DossierListView::Count() {
    const int shown = proxy_->rowCount();
    const int all = model_->rowCount(QModelIndex());
    const QString dossiers =
        all <= 1 ? QStringLiteral("%1 dossier").arg(all) : QStringLiteral("%1 dossiers").arg(all);
    lblDossiers_->setText(shown == all ? dossiers
                                       : QStringLiteral("%1 sur %2").arg(shown).arg(dossiers));
}
