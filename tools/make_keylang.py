#!/usr/bin/env python3
"""Writes the keyboard-language table data/keylang.ini and one 16x16 icon
per language in data/keylang/: the language's two letters in white on a
tile of its own colour (16-colour images, which every shell shows).

The files are kept in the repository; run this again only to change them."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_icon import image16  # noqa: E402  (the icon format of the programs' icon)

import struct  # noqa: E402

BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, GREY, WHITE, RED, BLUE = 0, 1, 2, 3, 4, 5, 6, 8, 15, 9, 12

# (name, language identifier, file, letters, tile colour)
LANGUAGES = [
    ("English (United States)", 1033, "en-us", "EN", NAVY),
    ("English (United Kingdom)", 2057, "en-gb", "EN", MAROON),
    ("English (Canada)", 4105, "en-ca", "EN", RED),
    ("English (Australia)", 3081, "en-au", "EN", TEAL),
    ("English (Ireland)", 6153, "en-ie", "EN", GREEN),
    ("German (Germany)", 1031, "de-de", "DE", BLACK),
    ("German (Switzerland)", 2055, "de-ch", "DE", RED),
    ("German (Austria)", 3079, "de-at", "DE", MAROON),
    ("French (France)", 1036, "fr-fr", "FR", BLUE),
    ("French (Canada)", 3084, "fr-ca", "FR", NAVY),
    ("French (Belgium)", 2060, "fr-be", "FR", OLIVE),
    ("French (Switzerland)", 4108, "fr-ch", "FR", RED),
    ("Spanish (Spain)", 3082, "es-es", "ES", RED),
    ("Spanish (Traditional Sort)", 1034, "es-es-t", "ES", MAROON),
    ("Spanish (Mexico)", 2058, "es-mx", "ES", GREEN),
    ("Catalan", 1027, "ca-es", "CA", OLIVE),
    ("Italian (Italy)", 1040, "it-it", "IT", GREEN),
    ("Italian (Switzerland)", 2064, "it-ch", "IT", RED),
    ("Dutch (Netherlands)", 1043, "nl-nl", "NL", OLIVE),
    ("Dutch (Belgium)", 2067, "nl-be", "NL", BLACK),
    ("Portuguese (Brazil)", 1046, "pt-br", "PT", GREEN),
    ("Portuguese (Portugal)", 2070, "pt-pt", "PT", MAROON),
    ("Danish", 1030, "da-dk", "DA", RED),
    ("Norwegian (Bokmal)", 1044, "nb-no", "NO", NAVY),
    ("Swedish", 1053, "sv-se", "SV", BLUE),
    ("Finnish", 1035, "fi-fi", "FI", NAVY),
    ("Icelandic", 1039, "is-is", "IS", BLUE),
    ("Polish", 1045, "pl-pl", "PL", RED),
    ("Czech", 1029, "cs-cz", "CS", NAVY),
    ("Slovak", 1051, "sk-sk", "SK", BLUE),
    ("Hungarian", 1038, "hu-hu", "HU", GREEN),
    ("Romanian", 1048, "ro-ro", "RO", NAVY),
    ("Croatian", 1050, "hr-hr", "HR", RED),
    ("Slovenian", 1060, "sl-si", "SL", BLUE),
    ("Serbian (Latin)", 2074, "sr-latn", "SR", RED),
    ("Serbian (Cyrillic)", 3098, "sr-cyrl", "SR", NAVY),
    ("Bulgarian", 1026, "bg-bg", "BG", GREEN),
    ("Russian", 1049, "ru-ru", "RU", BLUE),
    ("Ukrainian", 1058, "uk-ua", "UK", BLUE),
    ("Belarusian", 1059, "be-by", "BE", RED),
    ("Greek", 1032, "el-gr", "EL", BLUE),
    ("Turkish", 1055, "tr-tr", "TR", RED),
    ("Estonian", 1061, "et-ee", "ET", BLUE),
    ("Latvian", 1062, "lv-lv", "LV", MAROON),
    ("Lithuanian", 1063, "lt-lt", "LT", OLIVE),
    ("Hebrew", 1037, "he-il", "HE", BLUE),
    ("Arabic (Saudi Arabia)", 1025, "ar-sa", "AR", GREEN),
    ("Persian", 1065, "fa-ir", "FA", GREEN),
    ("Hindi", 1081, "hi-in", "HI", OLIVE),
    ("Thai", 1054, "th-th", "TH", PURPLE),
    ("Vietnamese", 1066, "vi-vn", "VI", RED),
    ("Japanese", 1041, "ja-jp", "JA", RED),
    ("Korean", 1042, "ko-kr", "KO", NAVY),
    ("Chinese (Simplified)", 2052, "zh-cn", "ZH", RED),
    ("Chinese (Traditional)", 1028, "zh-tw", "ZH", NAVY),
]

# Capital letters, 5 pixels wide and 7 high.
FONT = {
    'A': ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    'B': ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    'C': ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    'D': ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    'E': ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    'F': ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    'G': ["01110", "10001", "10000", "10111", "10001", "10001", "01111"],
    'H': ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    'I': ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    'J': ["00111", "00010", "00010", "00010", "00010", "10010", "01100"],
    'K': ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    'L': ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    'M': ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    'N': ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    'O': ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    'P': ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    'Q': ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    'R': ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    'S': ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    'T': ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    'U': ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    'V': ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    'W': ["10001", "10001", "10001", "10101", "10101", "10101", "01010"],
    'X': ["10001", "10001", "01010", "00100", "01010", "10001", "10001"],
    'Y': ["10001", "10001", "01010", "00100", "00100", "00100", "00100"],
    'Z': ["11111", "00001", "00010", "00100", "01000", "10000", "11111"],
}


def picture(letters, colour):
    """Rows top to bottom of palette indices (None = see-through): a tile
    with cut corners and a dark edge, the two letters centred on it."""
    rows = [[None] * 16 for _ in range(16)]
    first, last = 0, 15
    for y in range(1, 15):
        for x in range(16):
            if (x in (first, last)) and (y in (1, 14)):
                continue
            edge = x in (first, last) or y in (1, 14)
            rows[y][x] = BLACK if edge and colour != BLACK else (GREY if edge else colour)
    for i, letter in enumerate(letters):
        left = 2 + i * 7
        for dy, line in enumerate(FONT[letter]):
            for dx, bit in enumerate(line):
                if bit == '1':
                    rows[4 + dy][left + dx] = WHITE
    return rows


def icon(letters, colour):
    data = image16(picture(letters, colour))
    return struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', 16, 16, 16, 0, 1, 4, len(data), 22) + data


def main(root):
    folder = os.path.join(root, 'keylang')
    os.makedirs(folder, exist_ok=True)
    lines = [
        "; Keyboard languages the \"key\" readout names, by the language identifier",
        "; of the keyboard layout (its low 16 bits, in decimal), with an icon",
        "; relative to this folder. A line the readout cannot use is skipped.",
        ";",
        ";   name=identifier,icon",
        "",
        "[Languages]",
    ]
    for name, identifier, file, letters, colour in LANGUAGES:
        with open(os.path.join(folder, file + '.ico'), 'wb') as out:
            out.write(icon(letters, colour))
        lines.append('%s=%d,keylang\\%s.ico' % (name, identifier, file))
    with open(os.path.join(root, 'keylang.ini'), 'w', newline='\r\n') as out:
        out.write('\n'.join(lines) + '\n')


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'data')
