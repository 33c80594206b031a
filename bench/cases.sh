#!/usr/bin/env bash
# Writes CASES generated cases (default 100000) as the batch tool's input CSV
# to standard output. With "claim" as the second argument, each row also has
# the claim sheet's inputs, varied so that sheets of both kinds, with and
# without insurance, later care and a second vehicle, and refusals (a
# liability share over 100, say) all come up.
# Usage: bench/cases.sh [CASES] [claim]
set -euo pipefail
awk -v n="${1:-100000}" -v claim="${2:-}" 'BEGIN {
  printf "受害人生日年,受害人生日月,受害人生日日,事故发生日年,事故发生日月,事故发生日日,夫妻或单亲,伤残等级," \
         "人员1的护理天数,护理人员1的工资,人员2的护理天数,护理人员2的工资,住院天数,误工天数,最近三年日平均收入,住宿天数," \
         "孩子1年龄,孩子2年龄,孩子3年龄,孩子4年龄,孩子5年龄,孩子6年龄,老人1年龄,老人2年龄,老人3年龄,老人4年龄," \
         "兄弟姐妹人数,交通费,医疗费,营养费,残疾辅助器具"
  if (claim) printf ",计算标准年度,定残日,伤残附加指数,精神损害抚慰金,交强险,责任比例,商业三者险限额,案件类型," \
                    "护理依赖,后续护理年限,后续护理日工资,车辆2交强险,车辆2责任比例"
  printf "\n"
  split("一 二 三 四 五 六 七 八 九 十", grades, " ")
  split("有责 无责 无", insurance, " ")
  split("完全 大部分 部分", dependency, " ")
  for (i = 0; i < n; i++) {
    printf "%d,%d,%d,%d,11,11,%s,%s,30,80.1,15,33.33,%d.5,90,120.33,3,3.5,6,,,,,65,72,,,2,1200,35000.5,600,2000.50",
      1940 + i % 70, 1 + i % 12, 1 + i % 31, 2011 + i % 2, (i % 3 ? "夫妻" : "单亲"), grades[1 + i % 10], i % 400
    # Every thirteenth a death, which has no 定残日.
    death = i % 13 == 0
    if (claim) printf ",%d,%s,%d,%d,%s,%d,%d,%s",
      2011 + i % 2, death ? "" : sprintf("%d-%02d-%02d", 2012 + i % 2, 1 + i % 12, 1 + i % 28),
      i % 11, (i % 4) * 10000, insurance[1 + i % 3], i % 103, (i % 5) * 200000, death ? "死亡" : "伤残"
    # Every fifth with later care, every fourth with a second vehicle.
    if (claim) printf ",%s,%s,%s,%s,%s",
      i % 5 || death ? "" : dependency[1 + i % 3], i % 5 || death ? "" : 5 + i % 15,
      i % 5 || death ? "" : "120.50", i % 4 ? "" : insurance[1 + i % 2], i % 4 ? "" : (i % 50)
    printf "\n"
  }
}'
