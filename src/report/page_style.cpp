#include "report/page_style.h"

#include "report/html_element.h"

namespace traverse {
namespace {

// Pass and fail carry a sign as well as a colour, so that the page reads in black and white too.
// Cells are numbers, aligned right, but for the leading columns a table's class names (leadN) and
// cells of class t.
constexpr char kPageStyle[] = R"css(
:root{--ink:#1b1f24;--muted:#5b6570;--line:#d5dae0;--pass:#1e7b34;--pass-bg:#e7f5ea;--fail:#b3261e;
--fail-bg:#fdecea;--weak:#b26a00;--known:#1f4e9c}
*{box-sizing:border-box}
body{margin:0 auto;max-width:1100px;padding:12px 16px 32px;color:var(--ink);background:#fff;
font:15px/1.45 system-ui,"Microsoft YaHei","PingFang SC","Hiragino Sans GB","Noto Sans CJK SC",
"Source Han Sans SC","WenQuanYi Micro Hei",sans-serif}
h1{font-size:1.5em;margin:.3em 0}h2{font-size:1.25em;margin:1.4em 0 .5em;border-bottom:2px solid var(--line)}
h3{font-size:1.05em;margin:1.1em 0 .4em}
header p{margin:0;color:var(--muted);word-break:break-all}
.verdict{margin:.6em 0;padding:.6em .9em;border-radius:6px;font-weight:600;border-left:6px solid}
.verdict.good{background:var(--pass-bg);color:var(--pass);border-color:var(--pass)}
.verdict.bad{background:var(--fail-bg);color:var(--fail);border-color:var(--fail)}
.verdict p{margin:0}.verdict ul{margin:.3em 0 0;padding-left:1.3em;font-weight:400}
.facts{display:grid;grid-template-columns:repeat(auto-fill,minmax(150px,1fr));gap:6px;margin:.6em 0}
.facts div{border:1px solid var(--line);border-radius:6px;padding:4px 8px}
.facts dt{font-size:.8em;color:var(--muted)}.facts dd{margin:0;font-weight:600;word-break:break-all}
.scroll{overflow-x:auto;margin:.4em 0}
table{border-collapse:collapse;font-size:.9em;min-width:50%}
th,td{border:1px solid var(--line);padding:3px 7px;vertical-align:top}
th{background:#f3f5f7;font-weight:600;white-space:nowrap;text-align:left}
td{text-align:right;font-variant-numeric:tabular-nums;white-space:nowrap}
table.lead1 td:nth-child(1),table.lead2 td:nth-child(-n+2),table.lead3 td:nth-child(-n+3),td.t{text-align:left;
white-space:normal}
tr.fail td,table.fail td{background:var(--fail-bg)}tr.weak td{background:#fff6e5}tr.known td:first-child{color:var(--known)}
tr.first td{border-top:2px solid #aab2bb}tr.limits td{background:#f3f5f7;font-style:italic}
td.over{color:var(--fail);font-weight:700;background:var(--fail-bg)}td.over::after{content:" \2717"}
.mark{display:block;text-align:left;white-space:nowrap;font-weight:600}.mark.pass{color:var(--pass)}.mark.fail{color:var(--fail)}
.mark.none{color:var(--muted)}
p.pass{color:var(--pass)}.quiet{color:var(--muted)}
pre.report{background:#f7f8fa;border:1px solid var(--line);padding:8px;overflow-x:auto;font-size:.85em;
white-space:pre;font-family:"Noto Sans Mono CJK SC","WenQuanYi Micro Hei Mono",NSimSun,Menlo,
"PingFang SC",monospace}
ul.messages li{white-space:pre-wrap}
figure.plot{margin:.5em 0;overflow-x:auto}
figure.plot svg{display:block;width:100%;min-width:560px;height:auto;font-size:13px}
svg .frame{fill:#fcfcfd;stroke:var(--line)}
svg .sightlines line,svg line.sight{stroke:#8c96a0;stroke-width:1.2}
svg line.weak{stroke:var(--weak);stroke-width:2.2;stroke-dasharray:2 3}
svg line.outlier{stroke:var(--fail);stroke-width:3.2;stroke-dasharray:9 4}
svg .ellipses ellipse,svg .ellipse{fill:rgba(30,123,52,.12);stroke:var(--pass);stroke-width:1.2}
svg .point polygon{fill:var(--known);stroke:#fff;stroke-width:1}
svg .point circle{fill:#fff;stroke:var(--ink);stroke-width:1.8}
svg text{fill:var(--ink);paint-order:stroke;stroke:#fff;stroke-width:3px;stroke-linejoin:round}
svg .north polygon{fill:var(--ink)}svg .north text{font-weight:700}
svg .scalebar path{fill:none;stroke:var(--ink);stroke-width:2}
footer{margin-top:2em;color:var(--muted);font-size:.85em}
@media (max-width:600px){body{padding:8px;font-size:14px}table{font-size:.85em}}
@page{size:A4;margin:14mm 12mm}
@media print{body{max-width:none;padding:0;font-size:10pt}
*{-webkit-print-color-adjust:exact;print-color-adjust:exact}
.scroll,figure.plot{overflow:visible}figure.plot svg{min-width:0;max-height:240mm}
h2{break-after:avoid}tr,figure{break-inside:avoid}thead{display:table-header-group}
pre.report{white-space:pre-wrap;font-size:8pt}}
)css";

}  // namespace

Html StyleElement() { return Tag("style").Wrap(Markup(kPageStyle)); }

}  // namespace traverse
