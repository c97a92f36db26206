#!/usr/bin/env python3
"""The whole job on one record file, as `make demo` runs it: the field checks, the adjustment with
its files, the report page; then a short summary for people and the page to open.

    demo.py TRAVERSE RECORD_FILE OUT_DIR [--lang zh|en]

Each command's text goes into OUT_DIR beside the files it writes; the summary comes from the same
commands' JSON. Exit status: the worst of the commands'.
"""
import argparse
import json
import os
import subprocess
import sys
import unicodedata

# The coordinate reference system of the example's coordinates: CGCS2000, 3-degree Gauss-Kruger,
# central meridian 114E; the distances go onto its plane and every point gets its latitude and
# longitude.
CRS = ["--crs", "EPSG:4547"]

# Each file the adjustment writes: its option, its name in OUT_DIR, what it is (Chinese, English).
# A further output is one more line here.
ADJUST_OUTPUTS = [
    ("-o", "points.csv", ("平差坐标及其中误差 (CSV)", "adjusted coordinates and their sigma (CSV)")),
    ("-o", "points.dxf", ("CAD 图形：点、点名、视线、误差椭圆、闭合差 (DXF)",
                          "for CAD: points, names, sightlines, ellipses, closures (DXF)")),
    ("-o", "points.dat", ("数字测图软件坐标文件：点名,编码,Y,X,H (GBK)",
                          "coordinate list for Chinese survey CAD: name,code,Y,X,H (GBK)")),
    ("-o", "network.gpkg", ("GIS 图层：点、观测、误差椭圆、导线 (GeoPackage)",
                            "for GIS: points, observations, ellipses, traverses (GeoPackage)")),
    ("--sides", "sides.csv", ("边长及其相对中误差 (CSV)", "sides and their relative precision (CSV)")),
    ("--gama", "network.xml", ("gama-local 平差输入", "the network for gama-local")),
]

TEXTS = {
    "field_checks_text": ("外业检查报告", "field-check report"),
    "adjustment_text": ("平差报告", "adjustment report"),
    "page": ("报告网页", "report page"),
    "verdict_ok": ("结论：全部检查、闭合差和检验均在限差之内。",
                   "Verdict: every check, closure and test is within its limit."),
    "verdict_bad": ("结论：需要处理：%s。", "Verdict: needs attention: %s."),
    "import_bad": ("导入未完成", "the import did not complete"),
    "exceeded": ("%d 个外业检查值超限", "%d field-check value(s) beyond their limits"),
    "closures_bad": ("%d 项闭合差或对向观测超限", "%d closure(s) or reciprocal check(s) beyond limits"),
    "global_bad": ("整体检验未通过", "the global test fails"),
    "not_adjusted": ("未能平差 (%s)", "not adjusted (%s)"),
    "field_checks": ("外业检查：%d 项 %d 个值，超限 %d 个；相对限差最不利：%s %s %.1f (限差 %.1f)，%s",
                     "Field checks: %d items, %d values, %d beyond their limits; worst against its "
                     "limit: %s %s %.1f (limit %.1f) at %s"),
    "field_checks_none": ("外业检查：%d 项，无可判定的值", "Field checks: %d items, no value judged"),
    "traverse": ("导线 %s：方位角闭合差 %+.1f\" (限差 ±%.1f\")，全长闭合差 %.1f mm，"
                 "相对闭合差 1/%d (限差 1/%d)：%s",
                 "Traverse %s: angular closure %+.1f\" (limit ±%.1f\"), fs = %.1f mm, "
                 "1/%d (limit 1/%d): %s"),
    "no_traverse": ("未找到附合或闭合导线。", "No connecting traverse or closed loop found."),
    "reciprocal": ("对向观测：%d 项，超限 %d 项", "Reciprocal observations: %d, %d beyond limits"),
    "global": ("整体检验：单位权中误差 %.3f，v'Pv = %.2f (上限 %.2f)：%s",
               "Global test: sigma0 = %.3f, v'Pv = %.2f (limit %.2f): %s"),
    "worst_point": ("最弱点：%s，点位中误差 %.1f mm (误差椭圆 %.1f × %.1f mm)，高程中误差 %.1f mm",
                    "Worst point: %s, sigma p = %.1f mm (ellipse %.1f x %.1f mm), "
                    "sigma h = %.1f mm"),
    "pass": ("合格", "pass"),
    "fail": ("超限", "FAIL"),
    "files": ("输出文件：", "Files written:"),
    "open": ("用浏览器打开：file://%s", "Open in a browser: file://%s"),
}


def text(key, lang):
    return TEXTS[key][0 if lang == "zh" else 1]


def run(traverse, lang, arguments, stdout_path=None):
    """Runs traverse with the arguments, echoing the command line; returns its exit status."""
    shown = " ".join(["traverse"] + arguments) + (" > " + stdout_path if stdout_path else "")
    print("$ " + shown, flush=True)
    done = subprocess.run([traverse, "--lang", lang] + arguments, stdout=subprocess.PIPE)
    if stdout_path:
        with open(stdout_path, "wb") as out:
            out.write(done.stdout)
    return done.returncode


def json_objects(traverse, lang, arguments):
    """The JSON objects that traverse --json prints for the arguments, by their command."""
    done = subprocess.run([traverse, "--json", "--lang", lang] + arguments,
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    return {found["command"]: found
            for found in map(json.loads, done.stdout.decode("utf-8").splitlines())}


def field_check_line(field_checks, lang):
    summary = field_checks["summary"]
    judged = [s for s in summary if s["worst"] and s["worst"]["value"] is not None and s["limit"]]
    if not judged:
        return text("field_checks_none", lang) % len(summary)
    closest = max(judged, key=lambda s: abs(s["worst"]["value"]) / s["limit"])
    return text("field_checks", lang) % (
        len(summary), sum(s["count"] for s in summary), sum(s["exceeded"] for s in summary),
        closest["code"], closest["item"], closest["worst"]["value"], closest["limit"],
        where(closest["worst"], lang))


def where(worst, lang):
    """Station, round and target of a field-check value, as the check report names them."""
    place = worst["station"]
    if worst["round"] is not None:
        place += (": 第%d测回" if lang == "zh" else ": round %d") % worst["round"]
    if worst["target"] is not None:
        place += (" " if worst["round"] is not None else ": ") + worst["target"]
    return place


def columns(label):
    """The columns a label takes on a terminal, a Chinese character two."""
    return sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in label)


def one_in(relative):
    """N of a relative closure 1/N, to four figures as the adjustment report gives it."""
    return int(float("%.4g" % (1 / relative))) if relative else 0


def mark(passed, lang):
    return text("pass" if passed else "fail", lang)


def adjustment_lines(adjustment, lang):
    closures = adjustment["closures"]
    lines = []
    for traverse in closures["traverses"]:
        passed = traverse["f_beta_within_limit"] and traverse["relative_within_limit"]
        lines.append(text("traverse", lang) % (
            "-".join(traverse["stations"]), traverse["f_beta"], traverse["f_beta_limit"],
            traverse["fs_mm"], one_in(traverse["relative"]), one_in(traverse["relative_limit"]),
            mark(passed, lang)))
    if not closures["traverses"]:
        lines.append(text("no_traverse", lang))
    reciprocal = closures["reciprocal"]
    lines.append(text("reciprocal", lang) %
                 (len(reciprocal), sum(not r["within_limit"] for r in reciprocal)))
    if adjustment["status"] != "adjusted":
        return lines
    test = adjustment["tests"]["global"]
    lines.append(text("global", lang) % (test["sigma0"], test["vtpv"], test["upper_bound"],
                                         mark(test["passed"], lang)))
    adjusted = [p for p in adjustment["points"] if p["plane"] == "adjusted"]
    if adjusted:
        worst = max(adjusted, key=lambda p: p["sigma_p_mm"])
        lines.append(text("worst_point", lang) % (
            worst["name"], worst["sigma_p_mm"], worst["ellipse_a_mm"], worst["ellipse_b_mm"],
            worst["sigma_h_mm"] if worst["sigma_h_mm"] is not None else float("nan")))
    return lines


def verdict(imported, field_checks, adjustment, lang):
    problems = [] if imported else [text("import_bad", lang)]
    exceeded = sum(s["exceeded"] for s in field_checks["summary"])
    if exceeded:
        problems.append(text("exceeded", lang) % exceeded)
    if adjustment["status"] != "adjusted":
        problems.append(text("not_adjusted", lang) % adjustment["status"])
    closures = adjustment["closures"]
    failed = sum(not (t["f_beta_within_limit"] and t["relative_within_limit"])
                 for t in closures["traverses"])
    failed += sum(not r["within_limit"] for r in closures["reciprocal"])
    if failed:
        problems.append(text("closures_bad", lang) % failed)
    if adjustment["status"] == "adjusted" and not adjustment["tests"]["global"]["passed"]:
        problems.append(text("global_bad", lang))
    separator = "；" if lang == "zh" else "; "
    return text("verdict_bad", lang) % separator.join(problems) if problems else \
        text("verdict_ok", lang)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("traverse")
    parser.add_argument("record_file")
    parser.add_argument("out_dir")
    parser.add_argument("--lang", choices=["zh", "en"], default="zh")
    args = parser.parse_args()
    lang, record, out = args.lang, args.record_file, args.out_dir
    os.makedirs(out, exist_ok=True)
    files = [(text("field_checks_text", lang), os.path.join(out, "field-checks.txt")),
             (text("adjustment_text", lang), os.path.join(out, "adjustment.txt"))]
    files += [(names[0 if lang == "zh" else 1], os.path.join(out, name))
              for _, name, names in ADJUST_OUTPUTS]
    page = os.path.join(out, "report.html")
    files.append((text("page", lang), page))

    # Only what this run writes is listed at the end.
    for _, path in files:
        if os.path.exists(path):
            os.remove(path)
    statuses = [run(args.traverse, lang, ["check", "--all", record], files[0][1])]
    written = [argument for option, name, _ in ADJUST_OUTPUTS
               for argument in (option, os.path.join(out, name))]
    statuses.append(run(args.traverse, lang, ["adjust", record] + CRS + written, files[1][1]))
    statuses.append(run(args.traverse, lang, ["report", record] + CRS + ["-o", page]))
    # The same commands' figures, read from their JSON rather than from the text for people.
    checked = json_objects(args.traverse, lang, ["check", "--all", record])
    adjustment = json_objects(args.traverse, lang, ["adjust", record] + CRS)["adjust"]
    field_checks = checked["field-checks"]

    print()
    print(verdict(checked["import"]["result"] == 0, field_checks, adjustment, lang))
    print(field_check_line(field_checks, lang))
    for line in adjustment_lines(adjustment, lang):
        print(line)
    print(text("files", lang))
    width = max(columns(what) for what, _ in files)
    for what, path in files:
        if os.path.exists(path):
            print("  %s%s  %s" % (what, " " * (width - columns(what)), path))
    if os.path.exists(page):
        print(text("open", lang) % os.path.abspath(page))
    return max(statuses)


if __name__ == "__main__":
    sys.exit(main())
