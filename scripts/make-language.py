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


# The key assignment page, its knob dialog, the key functions' names and the macro page.
KEY_PAGE_TEXTS = {
    1033: {1: "Close", 22: "Done", 30: "Delete", 31: "Copy", 32: "Paste", 33: "Select all", 34: "Undo", 35: "New",
           36: "Cut", 37: "Redo", 38: "Save", 39: "Open",
           203: "Give every key of this Fn layer its default function again?", 204: "Restore all keys",
           205: "Keyboard", 206: "Media", 207: "Device", 208: "Combination", 210: "Mouse", 211: "Macro",
           213: "Special function", 217: "Modifier", 218: "Key",
           220: "Left button", 222: "Middle button", 223: "Right button", 225: "Double click", 226: "Triple click",
           227: "Forward button", 228: "Back button",
           230: "Click a key on the keyboard first.", 231: "Key combination",
           232: "This macro has no steps yet. Record them on the macro page first.", 233: "Macro",
           241: "Play mode", 242: "Play count", 243: "Until released", 244: "Until pressed again",
           245: "One step per press",
           251: "Show desktop", 252: "File explorer", 253: "Lock computer", 254: "Close window", 255: "Switch window",
           257: "Sleep", 258: "Power off", 259: "Wake up",
           260: "My computer", 261: "Calculator", 262: "Mail", 263: "Media player", 264: "Play / Pause", 265: "Stop",
           266: "Previous track", 267: "Next track", 268: "Volume up", 269: "Volume down", 270: "Mute",
           271: "Browser home", 272: "Refresh", 273: "Stop loading", 274: "Back", 275: "Forward", 276: "Favourites",
           277: "Search", 278: "Brightness up", 279: "Brightness down", 280: "My computer", 281: "Calculator",
           282: "Mail",
           300: "Knob", 301: "Turn left", 302: "Knob actions", 303: "Turn right", 304: "Press",
           350: "Macros", 351: "New macro", 352: "Macro list", 353: "New", 355: "Steps", 357: "Delete step",
           358: "Record", 359: "Stop", 360: "Delay", 361: "No delay", 362: "Recorded delay", 363: "Fixed delay",
           368: "Insert", 385: "Press a key", 386: "The keyboard's macro memory is full.", 387: "Choose a macro first.",
           388: "No.", 389: "Kind", 390: "Step", 391: "Kind", 392: "Value", 393: "Mouse", 394: "Key", 395: "Delay",
           397: "Insert above", 398: "Insert below", 400: "Insert above", 401: "Insert below", 402: "Copy step",
           403: "Delete step", 404: "Clear all", 415: "Insert a key", 416: "Insert a mouse button",
           417: "Insert a delay", 420: "Delay (ms)", 430: "No more macros can be added."},
    2052: {1: "关闭", 22: "完成", 30: "删除", 31: "复制", 32: "粘贴", 33: "全选", 34: "撤销", 35: "新建",
           36: "剪切", 37: "重做", 38: "保存", 39: "打开",
           203: "要把本 Fn 层的所有按键恢复为默认功能吗？", 204: "恢复全部按键",
           205: "键盘", 206: "多媒体", 207: "设备", 208: "组合键", 210: "鼠标", 211: "宏",
           213: "特殊功能", 217: "修饰键", 218: "按键",
           220: "左键", 222: "中键", 223: "右键", 225: "双击", 226: "三击", 227: "前进键", 228: "后退键",
           230: "请先点击键盘上的一个按键。", 231: "组合键", 232: "此宏还没有步骤，请先在宏页面录制。", 233: "宏",
           241: "播放方式", 242: "播放次数", 243: "按住时循环", 244: "再按一次停止", 245: "每按一次一步",
           251: "显示桌面", 252: "资源管理器", 253: "锁定电脑", 254: "关闭窗口", 255: "切换窗口",
           257: "睡眠", 258: "关机", 259: "唤醒",
           260: "我的电脑", 261: "计算器", 262: "邮件", 263: "媒体播放器", 264: "播放/暂停", 265: "停止",
           266: "上一曲", 267: "下一曲", 268: "音量加", 269: "音量减", 270: "静音", 271: "浏览器主页", 272: "刷新",
           273: "停止加载", 274: "后退", 275: "前进", 276: "收藏夹", 277: "搜索", 278: "亮度加", 279: "亮度减",
           280: "我的电脑", 281: "计算器", 282: "邮件",
           300: "旋钮", 301: "左旋", 302: "旋钮功能", 303: "右旋", 304: "按下",
           350: "宏", 351: "自定义宏", 352: "宏列表", 353: "新建", 355: "步骤", 357: "删除步骤", 358: "录制",
           359: "停止", 360: "延时", 361: "无延时", 362: "录制延时", 363: "固定延时", 368: "插入", 385: "请按一个键",
           386: "键盘的宏存储已满。", 387: "请先选择一个宏。", 388: "序号", 389: "类型", 390: "步骤", 391: "类型",
           392: "数值", 393: "鼠标", 394: "按键", 395: "延时", 397: "在上方插入", 398: "在下方插入",
           400: "在上方插入", 401: "在下方插入", 402: "复制步骤", 403: "删除步骤", 404: "全部清除",
           415: "插入按键", 416: "插入鼠标键", 417: "插入延时", 420: "延时（毫秒）", 430: "无法再添加宏。"},
    1028: {1: "關閉", 22: "完成", 30: "刪除", 31: "複製", 32: "貼上", 33: "全選", 34: "復原", 35: "新增",
           36: "剪下", 37: "重做", 38: "儲存", 39: "開啟",
           203: "要把本 Fn 層的所有按鍵恢復為預設功能嗎？", 204: "恢復全部按鍵",
           205: "鍵盤", 206: "多媒體", 207: "裝置", 208: "組合鍵", 210: "滑鼠", 211: "巨集",
           213: "特殊功能", 217: "修飾鍵", 218: "按鍵",
           220: "左鍵", 222: "中鍵", 223: "右鍵", 225: "雙擊", 226: "三擊", 227: "前進鍵", 228: "後退鍵",
           230: "請先點擊鍵盤上的一個按鍵。", 231: "組合鍵", 232: "此巨集還沒有步驟，請先在巨集頁面錄製。", 233: "巨集",
           241: "播放方式", 242: "播放次數", 243: "按住時循環", 244: "再按一次停止", 245: "每按一次一步",
           251: "顯示桌面", 252: "檔案總管", 253: "鎖定電腦", 254: "關閉視窗", 255: "切換視窗",
           257: "睡眠", 258: "關機", 259: "喚醒",
           260: "我的電腦", 261: "計算機", 262: "郵件", 263: "媒體播放器", 264: "播放/暫停", 265: "停止",
           266: "上一首", 267: "下一首", 268: "音量加", 269: "音量減", 270: "靜音", 271: "瀏覽器首頁", 272: "重新整理",
           273: "停止載入", 274: "上一頁", 275: "下一頁", 276: "我的最愛", 277: "搜尋", 278: "亮度加", 279: "亮度減",
           280: "我的電腦", 281: "計算機", 282: "郵件",
           300: "旋鈕", 301: "左旋", 302: "旋鈕功能", 303: "右旋", 304: "按下",
           350: "巨集", 351: "自訂巨集", 352: "巨集清單", 353: "新增", 355: "步驟", 357: "刪除步驟", 358: "錄製",
           359: "停止", 360: "延遲", 361: "無延遲", 362: "錄製延遲", 363: "固定延遲", 368: "插入", 385: "請按一個鍵",
           386: "鍵盤的巨集儲存已滿。", 387: "請先選擇一個巨集。", 388: "序號", 389: "類型", 390: "步驟", 391: "類型",
           392: "數值", 393: "滑鼠", 394: "按鍵", 395: "延遲", 397: "在上方插入", 398: "在下方插入",
           400: "在上方插入", 401: "在下方插入", 402: "複製步驟", 403: "刪除步驟", 404: "全部清除",
           415: "插入按鍵", 416: "插入滑鼠鍵", 417: "插入延遲", 420: "延遲（毫秒）", 430: "無法再新增巨集。"},
}
for _lcid, _texts in KEY_PAGE_TEXTS.items():
    TEXTS[_lcid]["KB.DIALOG"].update(_texts)
# The lighting, matrix screen, lighting canvas, music and LED animation pages (the same
# English texts in every language until they are translated).
LIGHTING_TEXTS = {
    80: "Colourful", 81: "Colour", 87: "Colour",
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
    177: "Colour", 178: "Colour set", 179: "Apply", 180: "Colour set 1", 181: "Colour set 2", 182: "Colour set 3",
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
