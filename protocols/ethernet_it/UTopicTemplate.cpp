#include "protocols/ethernet_it/UTopicTemplate.h"

#include <algorithm>
#include <vector>

#include "button/LbButton.h"
#include "grid/core/AdvGrid.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFTopicTemplate* FTopicTemplate = nullptr;

namespace {

constexpr int kTopicTemplateWidth = 635;
constexpr int kTopicTemplateHeight = 396;
constexpr int kLegendHeight = 108;

}  // namespace

TFTopicTemplate::TFTopicTemplate(TComponent* AOwner) : TForm(AOwner) {
  SetName(u"FTopicTemplate");
  Apply_Form_Look(this);
  BuildControls();
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

TFTopicTemplate::~TFTopicTemplate() {
  if (FTopicTemplate == this) FTopicTemplate = nullptr;
}

void TFTopicTemplate::BuildControls() {
  const int okLeft = kTopicTemplateWidth - 2 * (110 + 6) - 2;
  Build_Dialog_Frame(this, *this, {.OkLeft = okLeft, .CancelLeft = okLeft + 110 + 6});
  Btn_OK->SetModalResult(mrOk);
  Btn_Cancel->SetModalResult(mrCancel);

  // Bottom-aligned controls stack by their place: the legend goes above the buttons, the splitter
  // above the legend (so that it resizes the legend).
  P_Legend = Add_Panel(this, u"P_Legend", alBottom, kLegendHeight);
  P_Legend->SetTop(P_Button->Top() - kLegendHeight);
  L_List_Keywords = Add_Label(P_Legend, u"L_List_Keywords", 8, 4);
  ASG_Keywords = Add_Control<TAdvStringGrid>(P_Legend, u"ASG_Keywords");
  ASG_Keywords->SetBounds(0, 22, kTopicTemplateWidth, kLegendHeight - 22);
  ASG_Keywords->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
  ASG_Keywords->SetColCount(2);
  ASG_Keywords->SetFixedCols(0);
  ASG_Keywords->SetRowCount(2);
  ASG_Keywords->SetFixedRows(1);
  ASG_Keywords->SetDefaultRowHeight(21);
  ASG_Keywords->SetColWidths(0, 200);
  ASG_Keywords->SetColWidths(1, 380);
  ASG_Keywords->SetOptions(TGridOptions(ASG_Keywords->Options()).Include(goEditing));
  Splitter1 = Add_Control<TSplitter>(this, u"Splitter1");
  Splitter1->SetAlign(alBottom);
  Splitter1->SetHeight(4);
  Splitter1->SetTop(P_Legend->Top() - 4);
  Panel1 = Add_Panel(this, u"Panel1", alClient, 0);
  RE_TopicTemplate = Add_Control<TRichEdit>(Panel1, u"RE_TopicTemplate");
  RE_TopicTemplate->SetAlign(alClient);
  RE_TopicTemplate->SetPlainText(true);
}

void TFTopicTemplate::FormCreate(TObject*) {
  L_SW_Code->SetCaption(Soft_Code);
  SetClientWidth(kTopicTemplateWidth);
  SetClientHeight(kTopicTemplateHeight);
  Set_Lang();
}

void TFTopicTemplate::Set_Lang() {
  Set_Texts({{this, 3800}, {L_SW_Desc, 3802}, {L_List_Keywords, 3804}, {Btn_OK, 3807}, {Btn_Cancel, 3808}});
  ASG_Keywords->SetCellEx(0, 0, UI_Text(3805));
  ASG_Keywords->SetCellEx(1, 0, UI_Text(3806));
}

void TFTopicTemplate::FormShow(TObject*) {
  Set_Texts({{this, TopicTemplate ? 3801 : 3800}, {L_SW_Desc, TopicTemplate ? 3803 : 3802}});
  Laod_Keywords();
  if (RE_TopicTemplate->CanFocus()) RE_TopicTemplate->SetFocus();
}

void TFTopicTemplate::Laod_Keywords() {
  // No keyword is offered in this configuration, whatever the mode and table.
  const std::vector<String> keywords, descriptions;
  const int rows = std::max<int>(1, static_cast<int>(keywords.size()));
  ASG_Keywords->SetRowCount(rows + 1);
  for (int r = 1; r <= rows; ++r) {
    const size_t k = static_cast<size_t>(r) - 1;
    ASG_Keywords->SetCellEx(0, r, k < keywords.size() ? keywords[k] : String());
    ASG_Keywords->SetCellEx(1, r, k < descriptions.size() ? descriptions[k] : String());
    ASG_Keywords->SetReadOnly(0, r, false);
    ASG_Keywords->SetReadOnly(1, r, true);
  }
}
