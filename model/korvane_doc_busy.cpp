// Whether the machine is taken by an engraving job.
#include "model/korvane_doc.h"
#include "output/engrave_job.h"

BOOL CKorvaneDoc::IsEngravingBusy() const { return m_pEngine != nullptr || IsWorkerPortClaimed(); }
