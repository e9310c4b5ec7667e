// The calendar page's style sheet and the writers' colours and labels.
#include "PageStyle.h"

#include <iterator>

#include "day/PolicyTable.h"

namespace {

// Each policy's colour and label, in the rows' order of kDayPolicies: the Okabe-Ito hues, darkened
// to 4.5:1 or more on white, so that they stay apart for colour-blind readers and readable as lines.
constexpr const char* kPolicyFills[] = {"#0072B2", "#B34700", "#007857", "#A6487E"};
constexpr const char* kPolicyLabels[] = {"day", "week", "reset", "month"};
static_assert(std::size(kPolicyFills) == kPolicyCount && std::size(kPolicyLabels) == kPolicyCount,
              "each policy has its colour and its label");

}  // namespace

const char* FillOf(const Writers& writers, int writer) {
  if (writer == Writers::kStart) return "#6B6B6B";
  if (writers.IsPolicy(writer)) return kPolicyFills[writer - 1];
  const std::string& name = writers.Name(writer);
  if (name == "dawn") return "#8A5A00";
  if (name == "console" || name == "rcon") return "#000000";
  return "#2B7BB0";
}

const char* ShortName(const Writers& writers, int writer) {
  if (writer == Writers::kStart) return "start";
  if (writers.IsPolicy(writer)) return kPolicyLabels[writer - 1];
  const std::string& name = writers.Name(writer);
  if (name == "dawn") return "dawn";
  if (name == "console" || name == "rcon") return "set";
  return "other";
}

const char* const kPageStyle = R"(
*{box-sizing:border-box}
body{font:14px/1.35 system-ui,-apple-system,"Segoe UI",Roboto,Helvetica,Arial,sans-serif;color:#1f2430;margin:24px;background:#f6f7f9}
h1{font-size:20px;margin:0 0 4px}
header{background:#fff;border:1px solid #dde1e7;border-radius:8px;padding:12px 16px;margin-bottom:14px}
header pre,details pre,main>pre{margin:4px 0 0;font:12px/1.45 ui-monospace,Consolas,monospace;white-space:pre-wrap;overflow-wrap:anywhere}
.written{margin:0 0 8px;font-size:12px;color:#3d4452}
.summary{margin:0 0 8px;padding-left:18px}
.alert{margin:0 0 8px;padding:6px 10px;border:2px solid #b42318;border-radius:6px;color:#7a1a12;font-weight:600;white-space:pre-wrap}
summary{cursor:pointer;font-size:13px;color:#1f2430}
summary:focus-visible{outline:3px solid #1f2430;outline-offset:2px;border-radius:2px}
.legend{display:flex;flex-wrap:wrap;gap:6px 16px;margin:0 0 12px;padding:0;list-style:none;font-size:13px}
.legend li{display:inline-flex;align-items:center;gap:6px}
.legend i{display:inline-block;width:22px;height:10px;border-radius:2px;forced-color-adjust:none}
.legend i b{font-size:0}
table{border-collapse:separate;border-spacing:6px;width:100%;table-layout:fixed}
th{font-size:12px;font-weight:600;color:#3d4452;text-align:left;padding:0 6px}
th.month{font-size:15px;color:#1f2430;padding:10px 6px 2px}
.pagehead{display:none}
td{vertical-align:top;background:#fff;border:1px solid #dde1e7;border-radius:8px;padding:6px 8px;break-inside:avoid;overflow-wrap:break-word}
td.empty{background:transparent;border:none}
td.dst{border:2px solid #8a4b00}
td.fight{box-shadow:inset 0 0 0 2px #7a1a12}
.top{display:flex;justify-content:space-between;flex-wrap:wrap;gap:0 4px;font-size:12px;color:#3d4452}
.top b{color:#1f2430}
.badge{display:inline-block;font-size:11px;font-weight:700;border:1px solid currentColor;border-radius:3px;padding:0 3px;margin-right:3px}
.badge.dst{color:#8a4b00}
.badge.fight{color:#7a1a12}
.end{font-size:30px;font-weight:700;line-height:1.1;margin:2px 0}
.end span{white-space:nowrap}
.end.long{font-size:17px}
.end small{font-size:12px;font-weight:600;color:#3d4452}
.part,.seen{font-size:12px;color:#3d4452}
.part span,.seen span{white-space:nowrap}
.lanes{margin:4px 0 2px}
.lane{display:flex;align-items:center;gap:4px;height:12px}
.lane span{flex:0 0 34px;font-size:11px;line-height:1;color:#3d4452}
.lane svg{flex:1;min-width:0;height:6px;background:#fff;border:1px solid #c4c9d2;forced-color-adjust:none}
.hours{display:flex;justify-content:space-between;font-size:11px;color:#3d4452;margin-left:38px}
.notes,.brief{font-size:11px;color:#3d4452;margin-top:2px}
.brief{display:none}
.changes summary{font-size:12px}
tfoot td{background:transparent;border:none;font-size:12px;color:#3d4452;padding:4px 0}
.sr{position:absolute;width:1px;height:1px;overflow:hidden;clip:rect(0 0 0 0);white-space:nowrap}
@media screen and (max-width:700px){
 body{margin:8px}
 header{padding:10px}
 table{display:flex;flex-direction:column;border-spacing:0}
 thead tr:last-child{display:none}
 tbody,tr{display:block}
 tfoot{order:2;display:block}
 td{display:block;width:100%;margin:0 0 8px}
 td.empty{display:none}
 th.month{display:block}
}
@media print{
 body{margin:0;background:#fff;font-size:11px}
 header{border:none;padding:0;margin-bottom:4px}
 h1{font-size:14px;margin:0 0 2px}
 header pre,details pre{font-size:11px;line-height:1.2}
 .legend{font-size:11px;margin-bottom:2px;gap:2px 10px}
 table{border-spacing:3px}
 .pagehead{display:table-cell;font-size:11px;color:#1f2430}
 th.month.next{break-before:page}
 td{padding:3px 5px}
 .end{font-size:16px;margin:0}
 .end.long{font-size:12px}
 .badge,.end small,.part,.top,.brief,.hours,.lane span,tfoot td,.written,.summary{font-size:11px;line-height:1.2}
 .summary{margin-bottom:2px}
 .lane{height:12px}
 .hours span:nth-child(even){display:none}
 .changes,.notes,.seen,header details,thead tr:last-child,tfoot{display:none}
 .brief{display:block}
 *{-webkit-print-color-adjust:exact;print-color-adjust:exact}}
@page{margin:8mm}
)";
