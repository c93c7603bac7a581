#pragma once

namespace player {
class Clip;
}

namespace web {

// Posts the start report (pname "iVemba.2005.") to the site's "UseRecord.aspx". It is sent
// once per start, edition or not, and nothing ever reads its answer.
void sendUsageReport(player::Clip& root);

// Defines `SendCpRecord` on the root: the number of photos taken since the last report goes
// to "CpRecord.aspx" and the counter `CpRecord` starts again from 0 at once, whether or not
// the site takes the report.
void defineSendCpRecord(player::Clip& root);

// Starts `SendCpRecordTimer`, which calls `SendCpRecord` every 45 seconds for the whole run.
void startCaptureReportTimer(player::Clip& root);

} // namespace web
