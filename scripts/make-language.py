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


# Profiles, the settings pages and the update, profile manager and about dialogs.
PROFILE_SETTINGS_TEXTS = {
    1033: {1: 'Close', 15: 'Website', 16: 'Feedback', 17: 'FAQ', 21: 'Cancel', 40: 'OK',
           68: 'Profile', 69: 'At most 10 profiles can be created.',
           72: 'The file is not a profile of key assignments; nothing was changed.',
           73: 'The profile file could not be written.', 74: 'Import', 75: 'Export',
           500: 'Language', 505: 'Start-up', 506: 'Start with Windows', 507: 'Start minimised',
           509: 'Close button', 510: 'Hide to the tray', 511: 'Exit the program', 515: 'Software update',
           539: 'Downloading', 550: 'Restore factory settings', 551: 'Restore',
           552: 'All profiles of this keyboard are deleted and the keyboard returns to its factory settings. Go on?',
           560: 'Keyboard settings', 561: 'Mac mode', 562: 'Game mode', 563: 'Lock the Windows key',
           564: 'WASD and arrow keys swapped', 565: 'Sleep after', 569: 'Key response', 570: 'Knob mode',
           2000: 'New version', 2005: 'Update', 2006: 'Later'},
    2052: {1: '关闭', 15: '官网', 16: '反馈', 17: '常见问题', 21: '取消', 40: '确定',
           68: '配置文件', 69: '最多只能创建10个配置文件！',
           72: '该文件不是按键配置文件，未做任何更改。',
           73: '无法写入配置文件。', 74: '导入', 75: '导出',
           500: '语言', 505: '启动', 506: '开机启动', 507: '启动时最小化',
           509: '关闭按钮', 510: '最小化到托盘', 511: '退出程序', 515: '软件更新',
           539: '正在下载', 550: '恢复出厂设置', 551: '恢复',
           552: '将删除此键盘的全部配置，键盘恢复出厂设置。是否继续？',
           560: '键盘设置', 561: 'Mac 模式', 562: '游戏模式', 563: '锁定 Windows 键',
           564: 'WASD 与方向键互换', 565: '休眠时间', 569: '按键响应', 570: '旋钮模式',
           2000: '新版本', 2005: '更新', 2006: '稍后'},
    1028: {1: '關閉', 15: '官網', 16: '意見回饋', 17: '常見問題', 21: '取消', 40: '確定',
           68: '設定檔', 69: '最多只能建立10個設定檔！',
           72: '該檔案不是按鍵設定檔，未做任何變更。',
           73: '無法寫入設定檔。', 74: '匯入', 75: '匯出',
           500: '語言', 505: '啟動', 506: '開機啟動', 507: '啟動時最小化',
           509: '關閉按鈕', 510: '最小化到系統匣', 511: '結束程式', 515: '軟體更新',
           539: '正在下載', 550: '恢復原廠設定', 551: '恢復',
           552: '將刪除此鍵盤的全部設定檔，鍵盤恢復原廠設定。是否繼續？',
           560: '鍵盤設定', 561: 'Mac 模式', 562: '遊戲模式', 563: '鎖定 Windows 鍵',
           564: 'WASD 與方向鍵互換', 565: '休眠時間', 569: '按鍵回應', 570: '旋鈕模式',
           2000: '新版本', 2005: '更新', 2006: '稍後'}}
for _lcid, _texts in PROFILE_SETTINGS_TEXTS.items():
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
