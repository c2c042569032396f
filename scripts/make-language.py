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


# The main window's frame, tray menu and small dialogs.
FRAME_TEXTS = {1033: {3: 'Minimise', 5: 'Website', 7: 'Choose a background picture', 8: 'About', 9: 'Restore the default background', 10: 'Settings', 11: 'Exit', 12: 'Devices', 20: 'OK', 23: 'OK', 25: 'Cancel', 50: 'Home', 51: 'Lighting', 52: 'Light canvas', 53: 'Keys', 54: 'Macros', 56: 'Device', 57: 'Keyboard', 58: 'Matrix screen', 66: 'Add a profile', 67: 'Profiles', 201: 'Restore key', 202: 'Restore all keys', 861: 'Loading animation'}, 2052: {3: '最小化', 5: '官网', 7: '选择背景图片', 8: '关于', 9: '恢复默认背景', 10: '设置', 11: '退出', 12: '设备', 20: '确定', 23: '确定', 25: '取消', 50: '首页', 51: '灯光', 52: '灯光画布', 53: '按键', 54: '宏', 56: '设备', 57: '键盘', 58: '点阵屏', 66: '新建配置', 67: '配置', 201: '恢复按键', 202: '恢复全部按键', 861: '正在加载动画'}, 1028: {3: '最小化', 5: '官網', 7: '選擇背景圖片', 8: '關於', 9: '恢復預設背景', 10: '設定', 11: '結束', 12: '裝置', 20: '確定', 23: '確定', 25: '取消', 50: '首頁', 51: '燈光', 52: '燈光畫布', 53: '按鍵', 54: '巨集', 56: '裝置', 57: '鍵盤', 58: '點陣螢幕', 66: '新增設定檔', 67: '設定檔', 201: '恢復按鍵', 202: '恢復全部按鍵', 861: '正在載入動畫'}}
for _lcid, _texts in FRAME_TEXTS.items():
    TEXTS[_lcid]["KB.DIALOG"].update(_texts)


# The lighting, matrix screen, lighting canvas, music and LED animation pages (the same
# English texts in every language until they are translated).
LIGHTING_TEXTS = {
    22: "Apply", 80: "Colourful", 81: "Colour", 87: "Colour",
    102: "Bar layer", 103: "Amplitude", 104: "Background layer", 105: "Background brightness",
    106: "Spectrum bars", 107: "Mirrored bars", 108: "Wave", 109: "Fire", 110: "Rings", 111: "Ripples",
    112: "Rain", 113: "Stars", 114: "Plasma", 115: "Gradient", 116: "Pulse", 117: "None", 118: "Aurora",
    119: "Matrix rings",
    120: "Off", 121: "Static", 122: "Breathing", 123: "Wave", 124: "Reactive", 125: "Ripple", 126: "Rainbow cycle",
    127: "Spiral", 128: "Rain", 129: "Stars", 130: "Snake", 131: "Flash", 132: "Spectrum", 133: "Sweep",
    134: "Wave bars", 135: "Fireworks", 136: "Heartbeat", 137: "Tide", 138: "Laser", 139: "Comet", 140: "Aurora",
    141: "Custom colours",
    150: "Off", 151: "Static", 152: "Breathing", 153: "Wave", 154: "Cycle",
    160: "Off", 161: "Static", 162: "Breathing", 163: "Wave", 164: "Cycle",
    170: "Keys", 171: "Side light", 172: "Logo light", 173: "Light bar", 175: "Mode", 176: "Live colours",
    177: "Colour", 178: "Colour set", 180: "Colour set 1", 181: "Colour set 2", 182: "Colour set 3",
    183: "Colour set 4", 184: "Colour set 5", 189: "Colourful", 190: "Colour", 191: "Brightness", 192: "Speed",
    193: "Direction",
    600: "Music", 601: "Music layers", 602: "Screen", 604: "Picture", 610: "Window", 615: "Preset",
    620: "Preset 1", 621: "Preset 2", 622: "Preset 3", 623: "Preset 4", 624: "Preset 5", 625: "Preset 6",
    626: "Preset 7", 627: "Preset 8", 628: "Preset 9", 629: "Preset 10", 650: "Game", 670: "Picture or video file",
    671: "Choose", 680: "Layer 1", 681: "Layer 2", 682: "Layer 3", 683: "Layer 4", 684: "Layer 5", 685: "Layer 6",
    686: "Layer 7", 687: "Layer 8", 688: "Layer 9", 689: "Layer 10", 690: "Layer 11", 691: "Layer 12",
    801: "Screen", 803: "Add", 804: "Import GIF", 805: "Delete", 806: "Frames", 808: "Edit", 809: "Preview",
    810: "Text", 812: "Colour", 813: "Add text", 814: "Add pictures", 815: "Copy frame", 816: "Pen", 817: "Eraser",
    818: "Delete frame", 819: "Save", 820: "Export GIF", 821: "Download", 825: "This frame", 826: "All frames",
    827: "Sync", 830: "Save the changes to this animation?", 831: "Unsaved changes",
    832: "The animation has ", 833: " frames.", 834: "Frame limit",
    835: "Delete this animation?", 836: "Delete", 837: "Frame time (ms)", 838: "Type a text first.",
    839: "Add text", 840: "There is no frame to copy.", 841: "Choose a frame to copy.", 842: "Copy frame",
    843: "There is no frame to delete.", 844: "Delete frame", 845: "Choose a frame to delete.",
    846: "Delete this frame?", 847: "The animation has no frames.", 848: "Download",
    850: "Draw with the pen or erase.", 851: "Right-click for more.", 852: "Save before leaving.",
    860: "Font size", 862: "Grid", 863: "Animations", 865: "At most ", 866: " frames", 867: "At most ",
    868: " frames fit; the animation has ", 870: "Animations", 871: "Frames:", 872: "Limit:",
    880: "Cut", 881: "Copy", 882: "Paste", 884: "Delete", 885: "Undo", 886: "Bring forward", 887: "Send backward",
    900: "Off", 901: "Static", 902: "Breathing", 903: "Wave", 904: "Rain", 905: "Paint", 906: "Picture",
    907: "PC effects", 920: "Effect", 921: "Ripple", 922: "Music bars", 923: "Music rings", 924: "Music wave",
    925: "Music pulse", 926: "Music fire", 927: "Music stars", 928: "Rainbow", 929: "Snake", 930: "Clock",
    931: "Rain", 932: "Fireworks", 933: "Spiral", 934: "Heartbeat", 935: "Scanner", 936: "Typing", 937: "Radiant",
    938: "Terminal",
}
for _lcid in TEXTS:
    for _id, _text in LIGHTING_TEXTS.items():
        TEXTS[_lcid]["KB.DIALOG"].setdefault(_id, _text)


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
