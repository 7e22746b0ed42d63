#include "seal/seal_commands.h"

#include "model/korvane_doc.h"
#include "res/resource.h"

namespace {

constexpr UINT ID_SEAL_PERSONAL_MASK = 33017;
constexpr UINT ID_SEAL_CORPORATE_MASK_RING = 33034;
constexpr UINT ID_SEAL_CORPORATE_MASK_INNER = 33035;
constexpr UINT ID_SEAL_PERSONAL_TO_IMAGE = 33036;
constexpr UINT ID_SEAL_RING_TO_IMAGE = 33038;
constexpr UINT ID_SEAL_CORPORATE_TO_IMAGE = 33039;

}  // namespace

const std::vector<UINT>& SealCommandIds() {
  static const std::vector<UINT> ids = {ID_SEAL_IMPORT_FOLDER, ID_SEAL_NEW, ID_SEAL_NEW2, ID_SEAL_MASK,
                                        ID_SEAL_MASK_ORDER_0, ID_SEAL_MASK_ORDER_1, ID_SEAL_MASK_COLOR,
                                        33014, 33016, ID_SEAL_PERSONAL_MASK, 33027, 33028, 33029, 33030,
                                        33032, 33033, ID_SEAL_CORPORATE_MASK_RING, ID_SEAL_CORPORATE_MASK_INNER,
                                        ID_SEAL_PERSONAL_TO_IMAGE, ID_SEAL_RING_TO_IMAGE,
                                        ID_SEAL_CORPORATE_TO_IMAGE};
  return ids;
}

void RegisterSealCommands(CCommandTable& t, const CommandContext& ctx) {
  CKorvaneDoc* doc = ctx.doc;
  if (!doc) return;
  t.SetRun(ID_SEAL_IMPORT_FOLDER, [doc] { doc->ImportSealFolder(); });
  t.SetRun(ID_SEAL_NEW, [doc] { doc->CreateNewSeal(); });
  t.SetRun(ID_SEAL_NEW2, [doc] { doc->CreateNewSeal(); });
  t.Add(ID_SEAL_MASK, [doc] { doc->ToggleSealMask(); },
        [doc](CCmdUI& ui) { ui.SetCheck(doc->m_bInnerMaskFlag ? 2 : doc->m_bMaskFlag ? 1 : 0); });
  for (int order = 0; order < 2; ++order)
    t.Add(ID_SEAL_MASK_ORDER_0 + order, [doc, order] { doc->SetMaskOrder(order); },
          [doc, order](CCmdUI& ui) { ui.SetCheck(doc->m_Settings.Mask.Order == order ? 1 : 0); });
  t.SetRun(ID_SEAL_MASK_COLOR, [doc] { doc->ChooseMaskColor(); });

  // A mask button: the mask follows the layer it shows, then the layer flips.
  const auto maskButton = [doc](int mask, int layer) {
    return [doc, mask, layer] {
      doc->SetMaskFlag(mask, doc->m_bLayerVisible[layer] ? 0 : 1);
      doc->ToggleLayerVisible(layer);
    };
  };
  t.SetRun(ID_SEAL_PERSONAL_MASK, maskButton(0, 2));
  t.SetRun(ID_SEAL_CORPORATE_MASK_INNER, maskButton(0, 4));
  t.SetRun(ID_SEAL_CORPORATE_MASK_RING, maskButton(1, 5));
  t.SetRun(ID_SEAL_PERSONAL_TO_IMAGE, [doc] { doc->ConvertInnerTextToImage(0); });
  t.SetRun(ID_SEAL_CORPORATE_TO_IMAGE, [doc] { doc->ConvertInnerTextToImage(1); });
  t.SetRun(ID_SEAL_RING_TO_IMAGE, [doc] { doc->ConvertRingTextToImage(); });

  for (UINT id : SealCommandIds())
    t.AddUpdate(id, [doc](CCmdUI& ui) {
      if (doc->m_bPaintMode) ui.Enable(FALSE);
    });
}
