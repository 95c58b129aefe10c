#!/usr/bin/env python3
"""Turns the JSON of a new game (banmen-cli dump) into a small sample game
for pictures of the play screen: two players on the default board, a road
with a branch, a square with a data update and a state change, squares with
and without a panel picture, a square with a supplementary picture, and a
goal. Reads the JSON on standard input and writes it on standard output."""

import json
import sys

game = json.load(sys.stdin)
images = {image["name"]: image["index"] for image in game["images"]}

settings = game["settings"]
settings["title"] = "四季の道"
settings["rightsNotice"] = "Copyright 2026 盤面工房"
settings["helpText"] = "春の村から秋の山を越えて、山の上の神社を目指します。" \
    "途中の分かれ道では好きな方へ進めます。"
settings["playerCount"] = 2
settings["gamePicture"] = images["Board"]

game["players"][0]["name"] = "はるこ"
game["players"][0]["picture"] = images["KokeshiRed"]
game["players"][1]["name"] = "なつお"
game["states"][0].update({"name": "気分", "visible": 1})
game["players"][0]["stateTexts"][0] = "ふつう"
game["players"][1]["stateTexts"][0] = "ふつう"
game["players"][0]["dataValues"][0] = 500
game["players"][1]["dataValues"][0] = 500


def square(index, name, x, y, kind=0, nxt=(), **fields):
    entry = {
        "index": index, "name": name, "picture": -1, "supplementPicture": -1,
        "sound": -1, "arrivalJump": -1, "passJump": -1, "dieJumps": [-1] * 6,
        "nextSquares": (list(nxt) + [-1] * 4)[:4], "description": "", "x": x,
        "y": y, "kind": kind, "updateCodes": [0] * 5, "updateValues": [0] * 5,
        "updateTexts": [""] * 5, "stateChanges": [""] * 3,
    }
    entry.update(fields)
    return entry


squares = [
    square(0, "春の村", 60, 555, 4, [1]),
    square(1, "桜並木", 190, 545, 0, [2]),
    square(2, "お祭り", 330, 510, 1, [3], picture=images["Flowers"],
           description="村のお祭りです",
           updateValues=[100, 0, 0, 0, 0],
           updateTexts=["お年玉をもらいました", "", "", "", ""],
           stateChanges=["上機嫌", "", ""]),
    square(3, "分かれ道", 450, 450, 0, [4, 9]),
    square(4, "川の橋", 515, 360, 0, [5]),
    square(5, "夏祭り", 380, 320, 1, [6], supplementPicture=images["Festival"]),
    square(6, "杉の森", 200, 325, 0, [7], picture=images["Forest"],
           description="森で迷いました"),
    square(7, "雪の峠", 105, 260, 2, [8],
           updateCodes=[1, 0, 0, 0, 0], updateValues=[50, 0, 0, 0, 0],
           updateTexts=["峠の茶屋で休みました", "", "", "", ""]),
    square(8, "富士見", 230, 235, 0, [10]),
    square(9, "浜辺", 600, 440, 0, [5], picture=images["Sea"]),
    square(10, "紅葉の丘", 420, 225, 0, [11], picture=images["Maple"]),
    square(11, "山道", 560, 165, 3, [12]),
    square(12, "神社", 705, 95, 5),
]
game["squares"] = squares
json.dump(game, sys.stdout, ensure_ascii=False, indent=1)
