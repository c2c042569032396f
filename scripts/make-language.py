#!/usr/bin/env python3
"""Writes the language files data/language/<LCID>.lan (INI format, UTF-16LE with a byte
order mark, which the Windows profile readers take as Unicode) from the tables below.
Run it after changing a text; the generated files are committed."""
import os

# id -> text, per language; sections as the program reads them.
TEXTS = {
    1033: {
        "OEM": {1: "Quenby"},
        "CAPTION": {2: "Quenby keyboard software"},
        "KB.DIALOG": {
            63: "No keyboard found. Connect a keyboard by cable or switch on its receiver.",
            65: "Profile",
            516: "Check for updates",
            517: "Current version",
            520: "Latest firmware",
            521: "update now?",
            530: "Firmware version",
            531: "You have the latest version",
            532: "Firmware update",
            533: "Update firmware",
        },
    },
    2052: {
        "OEM": {1: "Quenby"},
        "CAPTION": {2: "Quenby 键盘驱动"},
        "KB.DIALOG": {
            63: "未找到键盘。请用数据线连接键盘，或打开接收器。",
            65: "配置",
            516: "检查更新",
            517: "当前版本",
            520: "最新固件",
            521: "是否立即更新？",
            530: "固件版本",
            531: "已是最新版本",
            532: "固件更新",
            533: "更新固件",
        },
    },
    1028: {
        "OEM": {1: "Quenby"},
        "CAPTION": {2: "Quenby 鍵盤驅動"},
        "KB.DIALOG": {
            63: "未找到鍵盤。請用資料線連接鍵盤，或開啟接收器。",
            65: "設定檔",
            516: "檢查更新",
            517: "目前版本",
            520: "最新韌體",
            521: "是否立即更新？",
            530: "韌體版本",
            531: "已是最新版本",
            532: "韌體更新",
            533: "更新韌體",
        },
    },
}


def main():
    folder = os.path.join(os.path.dirname(__file__), "..", "data", "language")
    os.makedirs(folder, exist_ok=True)
    for lcid, sections in TEXTS.items():
        lines = []
        for section, texts in sections.items():
            lines.append("[%s]" % section)
            lines.extend("%d=%s" % (key, text) for key, text in sorted(texts.items()))
            lines.append("")
        with open(os.path.join(folder, "%d.lan" % lcid), "wb") as out:
            out.write(b"\xff\xfe" + "\r\n".join(lines).encode("utf-16-le"))


if __name__ == "__main__":
    main()
