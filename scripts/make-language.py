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
