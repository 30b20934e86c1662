#!/usr/bin/env python3
"""Writes data/program/lblspec.ini from the sheet table below.

Each sheet is given as its maker states it: cell width and height, columns and rows, the left
and top margin and the pitch (cell plus gap), in inches for US Letter and in millimetres for A4.
A margin of None centres the grid on the paper. Every value is converted to 1/600 inch and
rounded; a grid that then reaches past the printable paper of a 600 dpi page (A4 is 4958 x 7016
there) loses the excess from its cells, so full-bleed sheets stay on the paper.

Run from the repository's root: tools/label-sheets/make_lblspec.py > data/program/lblspec.ini
"""

LETTER = ("5100_6600", "in", 8.5, 11.0, 5100, 6600)
A4 = ("4960_7020", "mm", 210.0, 297.0, 4958, 7016)

# (kind, size text, cell w, cell h, columns, rows, left, top, pitch x, pitch y)
LETTER_SHEETS = {
    "address30": ("Address", "1 x 2-5/8 in", 2.625, 1.0, 3, 10, 0.1875, 0.5, 2.75, 1.0),
    "address20": ("Address", "1 x 4 in", 4.0, 1.0, 2, 10, 0.15625, 0.5, 4.1875, 1.0),
    "address14": ("Address", "1-1/3 x 4 in", 4.0, 4 / 3, 2, 7, 0.15625, 5 / 6, 4.1875, 4 / 3),
    "return80": ("Return Address", "1/2 x 1-3/4 in", 1.75, 0.5, 4, 20, 0.28125, 0.5, 2.0625, 0.5),
    "mini60": ("Mini Address", "2/3 x 1-3/4 in", 1.75, 2 / 3, 4, 15, 0.28125, 0.5, 2.0625, 2 / 3),
    "ship10": ("Shipping", "2 x 4 in", 4.0, 2.0, 2, 5, 0.15625, 0.5, 4.1875, 2.0),
    "ship6": ("Shipping", "3-1/3 x 4 in", 4.0, 10 / 3, 2, 3, 0.15625, 0.5, 4.1875, 10 / 3),
    "ship4": ("Shipping", "5 x 4 in", 4.0, 5.0, 2, 2, 0.15625, 0.5, 4.1875, 5.0),
    "half2": ("Half Sheet", "5-1/2 x 8-1/2 in", 8.5, 5.5, 1, 2, 0.0, 0.0, 8.5, 5.5),
    "full1": ("Full Sheet", "8-1/2 x 11 in", 8.5, 11.0, 1, 1, 0.0, 0.0, 8.5, 11.0),
    "folder30": ("File Folder", "2/3 x 3-7/16 in", 3.4375, 2 / 3, 2, 15, 0.53125, 0.5, 4.0, 2 / 3),
    "folder33": ("File Folder", "2/3 x 2-5/16 in", 2.3125, 2 / 3, 3, 11, None, None, 2.75, 2 / 3 + 0.1),
    "binder4": ("Binder Spine", "1-1/2 x 11 in", 1.5, 10.0, 4, 1, None, 0.5, 2.0, 10.0),
    "badge8": ("Name Badge", "2-1/3 x 3-3/8 in", 3.375, 7 / 3, 2, 4, 0.25, 0.55, 4.625, 2.5),
    "badge6": ("Name Badge", "3 x 4 in", 4.0, 3.0, 2, 3, 0.25, 1.0, 4.0, 3.0),
    "badge12": ("Name Badge", "2 x 3-1/2 in", 3.5, 2.0, 2, 4, None, None, 4.0, 2.5),
    "card10": ("Business Card", "2 x 3-1/2 in", 3.5, 2.0, 2, 5, 0.75, 0.5, 3.5, 2.0),
    "card10c": ("Business Card Clean Edge", "2 x 3-1/2 in", 3.5, 2.0, 2, 5, 0.5, 0.5, 4.0, 2.0),
    "card8": ("Business Card", "2 x 3-1/2 in", 3.5, 2.0, 2, 4, None, None, 3.5, 2.5),
    "postcard4": ("Postcard", "4-1/4 x 5-1/2 in", 4.25, 5.5, 2, 2, 0.0, 0.0, 4.25, 5.5),
    "postcard2": ("Postcard", "4 x 6 in", 6.0, 4.0, 1, 2, None, None, 6.0, 4.5),
    "index3": ("Index Card", "3 x 5 in", 5.0, 3.0, 1, 3, 1.75, 1.0, 5.0, 3.0),
    "index2": ("Index Card", "4 x 6 in", 6.0, 4.0, 1, 2, 1.25, 1.25, 6.0, 4.5),
    "cd2": ("CD/DVD", "4.65 in round", 4.65, 4.65, 1, 2, 1.925, 0.5, 4.65, 5.35),
    "cd2s": ("CD/DVD Center Hole", "4.5 in round", 4.5, 4.5, 1, 2, None, None, 4.5, 5.25),
    "minicd4": ("Mini CD", "3.15 in round", 3.15, 3.15, 2, 2, None, None, 3.75, 4.0),
    "jewel2": ("Jewel Case Insert", "4-3/4 x 4-3/4 in", 4.75, 4.75, 1, 2, None, None, 4.75, 5.0),
    "round12": ("Round Sticker", "2 in", 2.0, 2.0, 3, 4, None, None, 2.5, 2.5),
    "round20": ("Round Sticker", "1-2/3 in", 5 / 3, 5 / 3, 4, 6, None, None, 2.0, 1.75),
    "round12l": ("Round Sticker", "2-1/2 in", 2.5, 2.5, 3, 4, None, None, 2.75, 2.625),
    "round6": ("Round Sticker", "3 in", 3.0, 3.0, 2, 3, None, None, 3.5, 3.5),
    "round63": ("Round Sticker", "1 in", 1.0, 1.0, 7, 9, None, None, 1.125, 1.125),
    "round88": ("Round Sticker", "3/4 in", 0.75, 0.75, 8, 11, None, None, 1.0, 0.9375),
    "square12": ("Square Sticker", "2 x 2 in", 2.0, 2.0, 3, 4, 0.75, 1.0, 2.5, 2.5),
    "square20": ("Square Sticker", "1-1/2 x 1-1/2 in", 1.5, 1.5, 4, 5, None, None, 1.875, 1.875),
    "square6": ("Square Sticker", "3 x 3 in", 3.0, 3.0, 2, 3, None, None, 3.5, 3.5),
    "square48": ("Square Sticker", "1 x 1 in", 1.0, 1.0, 6, 8, None, None, 1.25, 1.25),
    "photo2": ("Photo", "4 x 6 in", 6.0, 4.0, 1, 2, 1.25, 1.0, 6.0, 5.0),
    "photo57": ("Photo", "5 x 7 in", 7.0, 5.0, 1, 2, 0.75, 0.5, 7.0, 5.0),
    "photo35": ("Photo", "3-1/2 x 5 in", 3.5, 5.0, 2, 2, 0.75, 0.5, 3.5, 5.0),
    "photo810": ("Photo", "8 x 10 in", 8.0, 10.0, 1, 1, 0.25, 0.5, 8.0, 10.0),
    "wallet6": ("Wallet", "2-1/2 x 3-1/2 in", 3.5, 2.5, 2, 3, 0.625, 0.75, 3.75, 2.75),
    "wallet9": ("Wallet Portrait", "2-1/2 x 3-1/2 in", 2.5, 3.5, 3, 3, 0.5, 0.25, 2.5, 3.5),
}

A4_SHEETS = {
    "address21": ("Address", "63.5 x 38.1 mm", 63.5, 38.1, 3, 7, 7.2, 15.15, 66.04, 38.1),
    "address24": ("Address", "63.5 x 33.9 mm", 63.5, 33.9, 3, 8, 7.2, 12.9, 66.04, 33.9),
    "address18": ("Address", "63.5 x 46.6 mm", 63.5, 46.6, 3, 6, 7.2, 8.7, 66.04, 46.6),
    "address27": ("Address", "63.5 x 29.6 mm", 63.5, 29.6, 3, 9, 7.2, 15.3, 66.04, 29.6),
    "address14": ("Address", "99.1 x 38.1 mm", 99.1, 38.1, 2, 7, 4.65, 15.15, 101.6, 38.1),
    "address16": ("Address", "99.1 x 33.9 mm", 99.1, 33.9, 2, 8, 4.65, 12.9, 101.6, 33.9),
    "address24b": ("Address", "70 x 37 mm", 70.0, 37.0, 3, 8, 0.0, 0.5, 70.0, 37.0),
    "address24c": ("Address", "70 x 36 mm", 70.0, 36.0, 3, 8, 0.0, 4.5, 70.0, 36.0),
    "address24d": ("Address", "70 x 35 mm", 70.0, 35.0, 3, 8, 0.0, 8.5, 70.0, 35.0),
    "address21b": ("Address", "70 x 42.3 mm", 70.0, 42.3, 3, 7, 0.0, 0.45, 70.0, 42.3),
    "return65": ("Return Address", "38.1 x 21.2 mm", 38.1, 21.2, 5, 13, 4.65, 10.7, 40.64, 21.2),
    "return40": ("Return Address", "45.7 x 25.4 mm", 45.7, 25.4, 4, 10, 9.7, 21.5, 48.26, 25.4),
    "return40b": ("Return Address", "52.5 x 29.7 mm", 52.5, 29.7, 4, 10, 0.0, 0.0, 52.5, 29.7),
    "mini44": ("Mini", "48.5 x 25.4 mm", 48.5, 25.4, 4, 11, 8.0, 9.2, 48.5, 25.4),
    "mini64": ("Mini", "48.5 x 16.9 mm", 48.5, 16.9, 4, 16, 8.0, 13.3, 48.5, 16.9),
    "ship10": ("Parcel", "99.1 x 57 mm", 99.1, 57.0, 2, 5, 4.65, 6.0, 101.6, 57.0),
    "ship8": ("Parcel", "99.1 x 67.7 mm", 99.1, 67.7, 2, 4, 4.65, 13.1, 101.6, 67.7),
    "ship6": ("Parcel", "99.1 x 93.1 mm", 99.1, 93.1, 2, 3, 4.65, 8.8, 101.6, 93.1),
    "ship4": ("Parcel", "99.1 x 139 mm", 99.1, 139.0, 2, 2, 4.65, 9.5, 101.6, 139.0),
    "ship2": ("Parcel", "199.6 x 143.5 mm", 199.6, 143.5, 1, 2, 5.2, 5.0, 199.6, 143.5),
    "ship8b": ("Parcel", "105 x 74 mm", 105.0, 74.0, 2, 4, 0.0, 0.5, 105.0, 74.0),
    "ship10b": ("Parcel", "105 x 57 mm", 105.0, 57.0, 2, 5, 0.0, 6.0, 105.0, 57.0),
    "ship14": ("Parcel", "105 x 42.3 mm", 105.0, 42.3, 2, 7, 0.0, 0.45, 105.0, 42.3),
    "ship16": ("Parcel", "105 x 37 mm", 105.0, 37.0, 2, 8, 0.0, 0.5, 105.0, 37.0),
    "half2": ("Half Sheet", "210 x 148.5 mm", 210.0, 148.5, 1, 2, 0.0, 0.0, 210.0, 148.5),
    "quarter4": ("Quarter Sheet", "105 x 148.5 mm", 105.0, 148.5, 2, 2, 0.0, 0.0, 105.0, 148.5),
    "full1": ("Full Sheet", "210 x 297 mm", 210.0, 297.0, 1, 1, 0.0, 0.0, 210.0, 297.0),
    "full1m": ("Full Sheet", "199.6 x 289.1 mm", 199.6, 289.1, 1, 1, 5.2, 3.95, 199.6, 289.1),
    "arch4": ("Lever Arch", "192 x 61 mm", 192.0, 61.0, 1, 4, 9.0, 26.5, 192.0, 61.0),
    "arch7": ("Lever Arch Narrow", "192 x 38 mm", 192.0, 38.0, 1, 7, 9.0, 15.5, 192.0, 38.0),
    "folder20": ("File Folder", "200 x 12 mm", 200.0, 12.0, 1, 20, 5.0, 23.5, 200.0, 12.5),
    "badge10": ("Name Badge", "80 x 50 mm", 80.0, 50.0, 2, 5, 17.0, 21.5, 96.0, 51.0),
    "badge8": ("Name Badge", "88 x 55 mm", 88.0, 55.0, 2, 4, 12.0, 34.5, 98.0, 57.0),
    "card10": ("Business Card", "85 x 54 mm", 85.0, 54.0, 2, 5, 15.0, 13.5, 95.0, 54.0),
    "card8": ("Business Card", "85 x 55 mm", 85.0, 55.0, 2, 4, None, None, 95.0, 65.0),
    "postcard4": ("Postcard", "105 x 148 mm", 105.0, 148.0, 2, 2, 0.0, 0.5, 105.0, 148.0),
    "postcard2": ("Postcard", "148 x 105 mm", 148.0, 105.0, 1, 2, None, None, 148.0, 120.0),
    "index2": ("Index Card", "127 x 76 mm", 127.0, 76.0, 1, 3, None, None, 127.0, 90.0),
    "cd2": ("CD/DVD", "117 mm round", 117.0, 117.0, 1, 2, 46.5, 19.0, 117.0, 141.0),
    "cd2s": ("CD/DVD Center Hole", "114 mm round", 114.0, 114.0, 1, 2, None, None, 114.0, 135.0),
    "minicd4": ("Mini CD", "80 mm round", 80.0, 80.0, 2, 2, None, None, 95.0, 100.0),
    "round24": ("Round Sticker", "40 mm", 40.0, 40.0, 4, 6, None, None, 46.0, 46.0),
    "round12": ("Round Sticker", "63.5 mm", 63.5, 63.5, 3, 4, None, None, 66.04, 72.0),
    "round35": ("Round Sticker", "37 mm", 37.0, 37.0, 5, 7, None, None, 39.0, 39.0),
    "round6": ("Round Sticker", "85 mm", 85.0, 85.0, 2, 3, None, None, 95.0, 92.0),
    "round70": ("Round Sticker", "25 mm", 25.0, 25.0, 7, 10, None, None, 28.0, 28.0),
    "square12": ("Square Sticker", "50 x 50 mm", 50.0, 50.0, 3, 4, 18.8, 30.5, 59.3, 59.3),
    "square24": ("Square Sticker", "40 x 40 mm", 40.0, 40.0, 4, 6, None, None, 46.0, 46.0),
    "square12b": ("Square Sticker", "65 x 65 mm", 65.0, 65.0, 3, 4, None, None, 68.0, 70.0),
    "square6": ("Square Sticker", "85 x 85 mm", 85.0, 85.0, 2, 3, None, None, 95.0, 92.0),
    "photo2": ("Photo", "10 x 15 cm", 150.0, 100.0, 1, 2, 25.5, 22.0, 150.0, 127.0),
    "photo1318": ("Photo", "13 x 18 cm", 180.0, 130.0, 1, 2, 15.0, 18.5, 180.0, 130.0),
    "photo913": ("Photo", "9 x 13 cm", 90.0, 130.0, 2, 2, 15.0, 18.5, 90.0, 130.0),
    "photo2025": ("Photo", "20 x 25 cm", 200.0, 250.0, 1, 1, 5.0, 23.5, 200.0, 250.0),
    "wallet8": ("Wallet", "6 x 9 cm", 60.0, 90.0, 3, 3, None, None, 62.0, 92.0),
}

# The families: prefix, display name, and per paper the products in list order, each a sheet
# key of the tables above with the product's number and an optional finish.
FAMILIES = [
    ("GL", "Glimmer Labels", {
        "letter": [("address30", 1030, ""), ("address20", 1020, ""), ("address14", 1014, ""),
                   ("return80", 1080, ""), ("mini60", 1060, ""), ("ship10", 1110, ""), ("ship6", 1106, ""),
                   ("ship4", 1104, ""), ("half2", 1102, ""), ("full1", 1101, ""), ("badge8", 1208, ""),
                   ("address30", 1031, "Clear"), ("address30", 1032, "Kraft"), ("address20", 1021, "Clear"),
                   ("ship10", 1111, "Clear"), ("full1", 1100, "Clear")],
        "a4": [("address21", 2021, ""), ("address24", 2024, ""), ("address18", 2018, ""), ("address27", 2027, ""),
               ("address14", 2014, ""), ("address16", 2016, ""), ("address24b", 2124, ""),
               ("address21b", 2121, ""), ("return65", 2065, ""), ("return40", 2040, ""), ("ship8", 2008, ""),
               ("ship4", 2004, ""), ("half2", 2002, ""), ("full1", 2001, ""), ("badge10", 2210, ""),
               ("address21", 2022, "Clear"), ("full1", 2000, "Clear")],
    }),
    ("OF", "Office Labels", {
        "letter": [("address30", 30, "Removable"), ("address20", 20, "Removable"), ("address14", 14, "Removable"),
                   ("return80", 80, "Removable"), ("mini60", 60, "Color"), ("ship10", 10, "Removable"),
                   ("ship6", 6, "Removable"), ("half2", 2, "Removable"), ("full1", 1, "Removable"),
                   ("full1", 101, "Weatherproof"), ("folder30", 130, "")],
        "a4": [("address21", 21, "Removable"), ("address24b", 24, "Removable"), ("address24c", 124, ""),
               ("address24d", 224, ""), ("address14", 14, "Removable"), ("return40b", 40, ""),
               ("mini44", 44, ""), ("mini64", 64, ""), ("ship10", 10, "Removable"),
               ("ship6", 6, "Removable"), ("full1", 1, "Weatherproof"), ("full1m", 101, "")],
    }),
    ("SH", "Shipping & Mailing", {
        "letter": [("ship10", 510, ""), ("ship6", 506, ""), ("ship4", 504, ""), ("half2", 502, ""),
                   ("full1", 501, ""), ("ship10", 511, "Weatherproof"), ("ship6", 507, "Weatherproof"),
                   ("half2", 503, "Weatherproof"), ("address20", 520, ""), ("address14", 514, "")],
        "a4": [("ship10", 610, ""), ("ship8", 608, ""), ("ship6", 606, ""), ("ship4", 604, ""), ("ship2", 602, ""),
               ("ship8b", 618, ""), ("ship10b", 620, ""), ("ship14", 614, ""), ("ship16", 616, ""),
               ("half2", 600, ""), ("quarter4", 640, ""), ("ship4", 605, "Weatherproof")],
    }),
    ("FF", "Filing & Binders", {
        "letter": [("folder30", 330, ""), ("folder33", 333, ""), ("folder30", 331, "Color"),
                   ("folder33", 334, "Color"), ("binder4", 304, ""), ("mini60", 360, ""), ("return80", 380, "")],
        "a4": [("arch4", 404, ""), ("arch7", 407, ""), ("folder20", 420, ""), ("mini64", 464, ""),
               ("return65", 465, ""), ("address27", 427, "")],
    }),
    ("CB", "Cards & Badges", {
        "letter": [("card10", 710, ""), ("card10c", 711, ""), ("card8", 708, ""), ("card10", 712, "Glossy"),
                   ("badge8", 728, ""), ("badge6", 726, ""), ("badge12", 729, ""),
                   ("postcard4", 744, ""), ("postcard2", 742, ""), ("postcard4", 745, "Glossy"),
                   ("index3", 753, ""), ("index2", 752, "")],
        "a4": [("card10", 810, ""), ("card8", 808, ""), ("card10", 811, "Glossy"), ("badge10", 820, ""),
               ("badge8", 828, ""), ("postcard4", 844, ""), ("postcard2", 842, ""), ("index2", 852, "")],
    }),
    ("MD", "Disc & Media", {
        "letter": [("cd2", 902, ""), ("cd2s", 903, ""), ("cd2", 904, "Glossy"), ("minicd4", 914, ""),
                   ("jewel2", 922, ""), ("cd2", 905, "Matte Photo")],
        "a4": [("cd2", 952, ""), ("cd2s", 953, ""), ("cd2", 954, "Glossy"), ("minicd4", 964, ""),
               ("cd2", 955, "Matte Photo")],
    }),
    ("PS", "Photo Stickers", {
        "letter": [("photo2", 402, ""), ("wallet6", 406, ""), ("square12", 412, ""), ("photo57", 457, ""),
                   ("photo35", 435, ""), ("photo810", 481, ""), ("wallet9", 409, ""), ("round12", 512, ""),
                   ("round20", 520, ""), ("round12l", 525, ""), ("round6", 530, ""), ("round63", 510, ""),
                   ("round88", 575, ""), ("square20", 615, ""), ("square6", 630, ""), ("square48", 610, ""),
                   ("photo2", 403, "Glossy"), ("square12", 413, "Glossy"), ("round12", 513, "Glossy")],
        "a4": [("photo2", 402, ""), ("square12", 450, ""), ("photo1318", 413, ""), ("photo913", 409, ""),
               ("photo2025", 420, ""), ("wallet8", 406, ""), ("round24", 540, ""), ("round12", 563, ""),
               ("round35", 537, ""), ("round6", 585, ""), ("round70", 525, ""), ("square24", 640, ""),
               ("square12b", 665, ""), ("square6", 685, ""), ("photo2", 403, "Glossy"),
               ("round24", 541, "Glossy")],
    }),
]


def units(value, unit):
    return value * 600 / (25.4 if unit == "mm" else 1.0)


def sheet_values(sheet, paper):
    _, _, w, h, cols, rows, left, top, px, py = sheet
    _, unit, paper_w, paper_h, max_w, max_h = paper
    if left is None:
        left = (paper_w - (cols - 1) * px - w) / 2
    if top is None:
        top = (paper_h - (rows - 1) * py - h) / 2
    v = [round(units(x, unit)) for x in (left, top, w, h, px, py)]
    # Keep the grid on the paper: the rounding of a full-bleed sheet may reach a pixel or two past
    # it. Cell and pitch shrink alike, so the gaps stay as they were.
    for edge, cell, pitch, count, limit in ((0, 2, 4, cols, max_w), (1, 3, 5, rows, max_h)):
        over = v[edge] + (count - 1) * v[pitch] + v[cell] - limit
        if over > 0:
            shrink = -(-over // count)
            v[cell] -= shrink
            v[pitch] -= shrink
        assert v[edge] >= 0 and v[edge] + (count - 1) * v[pitch] + v[cell] <= limit, sheet
    return v + [cols, rows]


def main():
    print("; Label sheets offered in the layout screen. [LABELPREFIX] lists the families (key = prefix,")
    print("; value = the name shown in the category list). Each family has one section per paper size,")
    print("; named prefix + paper width_height in 1/600 inch rounded to 20 (US Letter 5100_6600, A4")
    print("; 4960_7020). Each key is a sheet; its value: left, top, cell width, cell height, horizontal")
    print("; pitch, vertical pitch (all in 1/600 inch from the paper's corner), columns, rows.")
    print("; Written by tools/label-sheets/make_lblspec.py from the makers' published sheet sizes.")
    print("[LABELPREFIX]")
    for prefix, name, _ in FAMILIES:
        print(f"{prefix}={name}")
    for prefix, _, products in FAMILIES:
        for paper_key, paper, table in (("letter", LETTER, LETTER_SHEETS), ("a4", A4, A4_SHEETS)):
            print()
            print(f"[{prefix}{paper[0]}]")
            for key, number, finish in products[paper_key]:
                sheet = table[key]
                kind, size = sheet[0], sheet[1]
                count = sheet[4] * sheet[5]
                label = f"{prefix}-{number} {kind}{' ' + finish if finish else ''} {size} ({count})"
                print(f"{label}=" + ",".join(str(x) for x in sheet_values(sheet, paper)))


main()
