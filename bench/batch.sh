#!/usr/bin/env bash
# The batch tool end to end: 100,000 generated cases, file in, file out.
# Usage: bench/batch.sh [BUILD_DIR] [CASES]   (default build/release, 100000)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
cases=${2:-100000}
input=$(mktemp) output=$(mktemp)
trap 'rm -f "$input" "$output"' EXIT
[[ -n "${KEEP_INPUT:-}" ]] && trap - EXIT && echo "input: $input"

awk -v n="$cases" 'BEGIN {
  print "受害人生日年,受害人生日月,受害人生日日,事故发生日年,事故发生日月,事故发生日日,夫妻或单亲,伤残等级," \
        "人员1的护理天数,护理人员1的工资,人员2的护理天数,护理人员2的工资,住院天数,误工天数,最近三年日平均收入,住宿天数," \
        "孩子1年龄,孩子2年龄,孩子3年龄,孩子4年龄,孩子5年龄,孩子6年龄,老人1年龄,老人2年龄,老人3年龄,老人4年龄," \
        "兄弟姐妹人数,交通费,医疗费,营养费,残疾辅助器具"
  split("一 二 三 四 五 六 七 八 九 十", grades, " ")
  for (i = 0; i < n; i++) {
    printf "%d,%d,%d,%d,11,11,%s,%s,30,80.1,15,33.333,%d.5,90,120.33,3,3.5,6,,,,,65,72,,,2,1200,35000.5,600,2000.50\n",
      1940 + i % 70, 1 + i % 12, 1 + i % 31, 2011 + i % 2, (i % 3 ? "夫妻" : "单亲"), grades[1 + i % 10], i % 400
  }
}' > "$input"

start=$(date +%s%N)
"$build/src/cli/quorvane-calc" "$input" > "$output"
end=$(date +%s%N)
awk -v ns=$((end - start)) -v n="$cases" -v rows="$(($(wc -l < "$output") - 1))" 'BEGIN {
  printf "quorvane-calc: %d cases in %.1f ms, %.0f cases per second (%d result rows)\n", n, ns / 1e6, n / (ns / 1e9), rows
}'
