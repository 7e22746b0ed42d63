#include "output/engrave_core.h"

#include "model/kinds.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "output/engrave_source.h"
#include "platform/prompter.h"

namespace {

// Why a job cannot start, naming the setting to change.
CString RefusalReason(const CEngraveJob& job, bool fixed) {
  const bool raster = job.m_nOutStyle != 0;
  if (IsWorkerPortClaimed())
    return CString::FromUtf8("前の彫刻データをまだポートへ送っています\n送り終わってから彫刻を開始してください");
  if (fixed && !job.m_bHasPark)
    return CString::FromUtf8(
        "Orbelle の機種が設定されていないため、固定フィールドで彫刻できません\n"
        "フィールド原点の設定ウィザードで機種を設定してください");
  if (raster && job.m_nDpm < 1)
    return CString::FromUtf8(
        "解像度 (Dot/mm) が 1 より小さいため、彫刻できません\nスキャニングエリアの「解像度」を 1 以上にしてください");
  if (raster && job.m_dSpan < 0.0)
    return CString::FromUtf8(
        "走査間隔が負の値のため、彫刻できません\nスキャニングエリアの「走査間隔」を 0 以上にしてください");
  return CString();
}

}  // namespace

int CEngraveCore::EntryCount(const CKorvaneDoc* doc) {
  const CObjectList* list = doc ? doc->GetObjectList() : nullptr;
  return list ? list->GetCount() : 0;
}

CEngraveCore::PreFlight CEngraveCore::StartJob(const CKorvaneDoc& doc, bool fixed) {
  m_bFix = fixed;
  m_nEntries = EntryCount(&doc);
  m_Job.CopySettings(doc);
  CString why = RefusalReason(m_Job, fixed);
  if (why.IsEmpty()) {
    if (m_Job.m_nOutStyle != 0 && m_Job.m_dSpan == 0.0) return PreFlight::NOTHING_TO_SEND;
    if (m_Port.OpenJob(&why)) return PreFlight::GO;
  }
  AfxMessageBox(why, MB_OK | MB_ICONEXCLAMATION);
  return PreFlight::REFUSED;
}

int CEngraveCore::FinishJob() {
  m_Port.CompleteJob();
  if (m_Port.NeedsPenUp()) EndEarly();
  return m_Port.CloseJob();
}

// ---- commands -------------------------------------------------------------------------------

void CEngraveCore::SendSpeed() { m_Job.SendSpeed(m_Port); }

void CEngraveCore::SendScaledSpeed(double factor) { m_Job.SendScaledSpeed(m_Port, factor); }

void CEngraveCore::PenUpAt(POINT p) { m_Port.PenUp(p.x, p.y); }

void CEngraveCore::PenDownAt(POINT p) { m_Port.PenDown(p.x, p.y); }

void CEngraveCore::MoveTo(int x, int y) { PenUpAt(m_Job.ToMachine(x, y)); }

void CEngraveCore::DrawTo(int x, int y) { PenDownAt(m_Job.ToMachine(x, y)); }

void CEngraveCore::MoveToFix(int x, int y) { PenUpAt(m_Job.ToMachineFix(x, y)); }

void CEngraveCore::DrawToFix(int x, int y) { PenDownAt(m_Job.ToMachineFix(x, y)); }

void CEngraveCore::SendCircle(POINT centre, SIZE radii) { m_Job.SendCircle(m_Port, centre, radii); }

void CEngraveCore::EndJob() {
  if (m_bFix) EndJobFix();
  else m_Job.SendEndJob(m_Port);
}

void CEngraveCore::EndJobFix() { m_Job.SendEndJobFix(m_Port); }

void CEngraveCore::SendCaptured(const CapturedOutline& r) {
  if (r.kind == TYPE_CIRCLE) {
    for (int i = 0; i < r.n; ++i) SendCircle(r.points[static_cast<size_t>(i)], r.radii[static_cast<size_t>(i)]);
  } else {
    SendOutlinePoints(m_Port, r.points.data(), r.types.data(), r.n);
  }
}

// ---- outline mode ---------------------------------------------------------------------------

void CEngraveCore::PrepareOutline(IEngraveSource& view) {
  CDoubleRect field, area;
  view.GetField(&field);
  view.GetScanningArea(&area);
  view.ConvertUnit(&field);
  view.ConvertUnit(&area);
  m_Job.m_rcArea = area;
  if (!m_bFix) m_Job.SetOutlineOrigin(field);
}

CEngraveCore::Captured CEngraveCore::Capture(IEngraveSource& view, int index, CapturedOutline& record) const {
  const int kind = view.GetOutlineType(index);
  if (kind < 0 || kind > TYPE_BARCODE) return Captured::NOTHING;  // entries not engraved, bad indices
  const int count = view.SetOutlineData(index);
  if (count == IEngraveSource::kObjectRefused) {
    view.ReleaseOutlinePoints();
    return Captured::REFUSED;
  }
  const POINT* points = view.OutlinePoints();
  const bool captured = count > 0 && points;
  if (captured) {
    const size_t n = static_cast<size_t>(count);
    record.kind = kind;
    record.n = count;
    record.points.assign(points, points + n);
    record.types.clear();
    record.radii.clear();
    if (kind == TYPE_CIRCLE) {
      if (const SIZE* radii = view.CircleRadii()) record.radii.assign(radii, radii + n);
      else record.radii.assign(n, SIZE{});
      for (size_t k = 0; k < n; ++k) {
        if (m_bFix) m_Job.TransformCircleFix(record.points[k], record.radii[k]);
        else m_Job.TransformCircle(record.points[k], record.radii[k]);
      }
    } else {
      if (const BYTE* types = view.OutlineTypes()) record.types.assign(types, types + n);
      else record.types.assign(n, BYTE{0});
      for (POINT& p : record.points) p = m_bFix ? m_Job.TransformPointFix(p) : m_Job.TransformPoint(p);
    }
  }
  view.ReleaseOutlinePoints();
  return captured ? Captured::TAKEN : Captured::NOTHING;
}

CEngraveCore::CaptureAll CEngraveCore::CaptureOutlines(IEngraveSource& view, std::vector<CapturedOutline>& out,
                                                       const std::function<bool(int)>& goOn) const {
  out.clear();
  const int n = m_nEntries;
  CapturedOutline record;
  for (int i = 1; i < n; ++i) {
    if (!goOn(i)) return CaptureAll::STOPPED;
    const Captured got = Capture(view, i, record);
    if (got == Captured::REFUSED) return CaptureAll::REFUSED;
    if (got == Captured::TAKEN) out.push_back(std::move(record));
  }
  return CaptureAll::DONE;
}

void CEngraveCore::TellNothingToSend() {
  AfxMessageBox(CString::FromUtf8("走査間隔が 0 のため、機械へ送るデータがありません\n"
                                  "スキャニングエリアの「走査間隔」を 0 より大きくしてください"),
                MB_OK | MB_ICONEXCLAMATION);
}

void CEngraveCore::TellNothingToMark() {
  AfxMessageBox(CString::FromUtf8("このデータでは何も彫刻されません\n"
                                  "彫刻するオブジェクトがスキャニングエリアの中にあり、彫刻するレイヤーに"
                                  "あるか確かめてください"),
                MB_OK | MB_ICONEXCLAMATION);
}

bool CEngraveCore::OutlinesMark(const std::vector<CapturedOutline>& outlines) {
  for (const CapturedOutline& r : outlines) {
    if (r.kind == TYPE_CIRCLE) {
      if (r.n > 0) return true;
      continue;
    }
    for (BYTE type : r.types)
      if ((type & ~PT_CLOSEFIGURE) == PT_LINETO) return true;
  }
  return false;
}

bool CEngraveCore::RasterMarks(const CBitmap* bitmap, bool concentric) const {
  CRgn region;
  BuildScanRegion(region, m_Job.m_rcArea, m_Job.m_nAreaShape, m_Job.m_dFrameSize);
  const CRasterScanner scanner(bitmap, &region, m_Job.m_nScanStyle);
  const double pitch = CRasterScanner::Pitch(m_Job.m_dSpan, m_Job.m_nDpm);
  bool found = false;
  const auto before = [&found](int) { return !found; };
  const auto run = [&found](int, int, int, int) { found = true; };
  switch (m_Job.m_nScanDirection) {
    case 0: scanner.ScanRows(m_Job.m_rcArea, pitch, before, run); break;
    case 1: scanner.ScanColumns(m_Job.m_rcArea, pitch, before, run); break;
    case 2:
      if (concentric) scanner.ScanConcentric(m_Job.m_rcArea, pitch, before, run);
      break;
    default: break;
  }
  region.DeleteObject();
  return found;
}

// ---- raster mode ----------------------------------------------------------------------------

const CBitmap* CEngraveCore::PrepareRaster(IEngraveSource& view, CDC& dc, int* oldZoom, bool* refused) {
  // The view gives the entry count - 1 for a whole raster, 0 when it left an entry out.
  const int drawn = view.GetBitmapDC(&dc, m_nBitmapSize, &m_rcBitmapBounds, oldZoom);
  if (refused) *refused = drawn == 0 && m_nEntries > 1;
  CDoubleRect field, area;
  view.GetFieldBMP(&field);
  view.GetScanningAreaBMP(&area);
  m_Job.m_rcArea = area;
  if (!m_bFix) m_Job.SetRasterOrigin(field);
  dc.SetMapMode(MM_TEXT);
  return dc.GetCurrentBitmap();
}

int CEngraveCore::ScanRaster(const CRasterScanner& scanner, bool concentric, const CRasterScanner::Before& before,
                             const std::function<void(int, int)>& showRange) {
  const double pitch = CRasterScanner::Pitch(m_Job.m_dSpan, m_Job.m_nDpm);
  const CDoubleRect& a = m_Job.m_rcArea;
  const bool fix = m_bFix;
  switch (m_Job.m_nScanDirection) {
    case 0:
      showRange(DoubleToInt(a.top), DoubleToInt(a.bottom));
      return scanner.ScanRows(a, pitch, before, [this, fix](int x0, int y0, int x1, int y1) {
        if (fix) {
          MoveToFix(x0, m_Job.RowYFix(y0));
          DrawToFix(x1, m_Job.RowYFix(y1));
        } else {
          MoveTo(x0, y0);
          DrawTo(x1, y1);
        }
      });
    case 1:
      showRange(DoubleToInt(a.left), DoubleToInt(a.right));
      return scanner.ScanColumns(a, pitch, before, [this, fix](int x0, int y0, int x1, int y1) {
        if (fix) {
          MoveToFix(x0, m_Job.ColumnYFix(y0));
          DrawToFix(x1, m_Job.ColumnYFix(y1));
        } else {
          MoveTo(x0, y0);
          DrawTo(x1, y1);
        }
      });
    case 2:
      if (!concentric) return 1;
      return scanner.ScanConcentric(
          a, pitch, [&before](int) { return before(NO_PROGRESS); },
          [this](int x0, int y0, int x1, int y1) {
            MoveTo(x0, y0);
            DrawTo(x1, y1);
          });
    default: return 1;  // no other direction scans anything
  }
}
