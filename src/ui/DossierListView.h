// The dossier list of the results window: one row per dossier with its
// rejects, warnings and verdict, sortable by any column and filtered by
// verdict. Choosing a row (double-click or Enter) asks for its dossier.
#pragma once

#include <QWidget>
#include <vector>

#include "run/Summaries.h"

class QComboBox;
class QModelIndex;
class QLabel;
class QSortFilterProxyModel;
class QTableView;
class DossierListModel;

class DossierListView : public QWidget {
    Q_OBJECT
  public:
    explicit DossierListView(QWidget* parent = nullptr);
    ~DossierListView() override;

    void SetRows(std::vector<trelvane::DossierListRow> rows);
    const std::vector<trelvane::DossierListRow>& Rows() const;

  signals:
    void DossierChosen(const trelvane::DossierListRow& row);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Choose(const QModelIndex& index);
    void Filter();
    void Count();

    DossierListModel* model_;
    QSortFilterProxyModel* proxy_;
    QComboBox* cmbVerdict_;
    QLabel* lblDossiers_;
    QTableView* tblDossiers_;
};
