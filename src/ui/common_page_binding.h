#pragma once
// Binds the common-parameter page to the PARAMETABLE row. The page is what the transfers see:
// a write encodes what it shows, a read puts the radio's values on it. What the user or a read
// put on the page reaches the row when the page is next saved (page change, Save, Print,
// Write); until then the page holds the pending edit.

#include <QObject>

#include "codec/common_block.h"
#include "protocol/transfer_data.h"

class QLabel;

namespace q36::ui {

class CommonParamPage;

class CommonPageBinding : public QObject {
    Q_OBJECT
  public:
    // The label texts it changes are those of language.
    CommonPageBinding(CommonParamPage& page, int language, QObject* parent = nullptr);

    // The values the page shows; a typed text of suiDBComboBox10 that is no entry of its list
    // counts as no selection.
    q36::CommonPage Values() const;
    // Puts values on the page as a pending edit of the row.
    void Show(const q36::CommonPage& values);
    // Shows the row as stored, unless the page holds a pending edit.
    StoreResult Load(TransferData& row);
    // Writes a pending edit into the row and posts it; the edit stays pending when that fails.
    StoreResult Save(TransferData& row);
    bool Pending() const { return pending_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Edited() { pending_ = true; }
    void RestartConditionPicked(int position);

    CommonParamPage& page_;
    int language_;
    QLabel* label15_;
    bool pending_ = false;
};

}  // namespace q36::ui
